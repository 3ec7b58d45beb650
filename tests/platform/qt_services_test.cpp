// The Qt services: timers driven from their models, the window read back into pictures, the
// printer and the wave player on a machine without a printer or a sound card.

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QPrinterInfo>
#include <QTimer>
#include <QWidget>

#include "fakes/test_rig.h"
#include "platform/fluidsynth/offline_synth.h"
#include "platform/qt/qt_printer.h"
#include "platform/qt/qt_screen.h"
#include "platform/qt/qt_wave_player.h"
#include "platform/qt/timer_driver.h"
#include "platform_helpers.h"

namespace lutavo {
namespace {

using test::eventsUntil;

TEST(TimerDriver, FollowsTheModel) {
    TimerModel model;
    int ticks = 0;
    TimerDriver driver(
        model, [&] { ++ticks; }, TimerAccuracy::Precise);
    // The interval the driver runs at, 0 when stopped: a window timer with no interval never
    // fires.
    struct Case {
        bool enabled;
        int interval, runs;
    };
    for (auto c :
         {Case{false, 0, 0}, {true, 0, 0}, {true, 40, 40}, {true, 25, 25}, {false, 25, 0}}) {
        model = {c.enabled, c.interval};
        driver.sync();
        EXPECT_EQ(driver.running() ? driver.runningInterval() : 0, c.runs) << c.interval;
    }
    EXPECT_EQ(ticks, 0);
}

TEST(TimerDriver, TicksAndObeysWhatTheTickDecides) {
    TimerModel model{true, 2};
    int ticks = 0;
    TimerDriver driver(model, [&] {
        // The third tick stops its own timer, as the playback engine does at the song's end.
        if (++ticks == 3) model.enabled = false;
    });
    driver.sync();
    EXPECT_TRUE(eventsUntil([&] { return !driver.running(); }));
    EXPECT_EQ(ticks, 3);
}

TEST(TimerDriver, TickThatLetsEventsThroughIsNotEnteredAgain) {
    TimerModel model{true, 1};
    int depth = 0;
    int deepest = 0;
    int ticks = 0;
    TimerDriver driver(model, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (++ticks == 3) model.enabled = false;
        // As printing does while it shows each page.
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
        --depth;
    });
    driver.sync();
    EXPECT_TRUE(eventsUntil([&] { return !driver.running(); }));
    EXPECT_EQ(deepest, 1);
}

// A widget painted in two known colours: left half red, right half blue.
class TwoColourWidget : public QWidget {
  public:
    TwoColourWidget() {
        resize(40, 20);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0xFF, 0, 0));
        setPalette(p);
        right.setParent(this);
        right.setGeometry(20, 0, 20, 20);
        right.setAutoFillBackground(true);
        QPalette q = right.palette();
        q.setColor(QPalette::Window, QColor(0, 0, 0xFF));
        right.setPalette(q);
    }
    QWidget right;
};

TEST(QtScreen, GrabsTheRectangleOfTheWindowWithWhiteOutsideIt) {
    TwoColourWidget window;
    QtScreen screen(&window);
    Picture shot;
    ASSERT_TRUE(screen.grab(15, 5, 10, 4, shot));
    ASSERT_EQ(std::pair(shot.width(), shot.height()), std::pair(10, 4));
    for (auto [x, y, colour] :
         {std::tuple{0, 0, 0xFF0000u}, {4, 3, 0xFF0000u}, {5, 0, 0x0000FFu}, {9, 3, 0x0000FFu}})
        EXPECT_EQ(shot.pixel(x, y), colour) << x << "," << y;
    ASSERT_TRUE(screen.grab(35, 15, 10, 10, shot));
    for (auto [x, y, colour] :
         {std::tuple{0, 0, 0x0000FFu}, {4, 4, 0x0000FFu}, {5, 0, kRgbWhite}, {0, 5, kRgbWhite}})
        EXPECT_EQ(shot.pixel(x, y), colour) << x << "," << y;
}

TEST(QtScreen, GoneWindowCannotBeRead) {
    auto window = std::make_unique<QWidget>();
    QtScreen screen(window.get());
    window.reset();
    Picture shot;
    EXPECT_FALSE(screen.grab(0, 0, 5, 5, shot));
    screen.processEvents();
}

TEST(QtPrinter, PrintsSheetsIntoAPdfFile) {
    test::TempDir dir;
    const QString pdf = QString::fromStdString(dir.path() + "song.pdf");
    QtPrinter printer(pdf);
    Picture page(620, 60, kRgbWhite);
    for (int x = 0; x < 620; ++x)
        page.setPixel(x, 30, kRgbBlack);
    ASSERT_TRUE(printer.newPage());
    EXPECT_TRUE(printer.blit(70, 20, page, RasterOp::And));
    EXPECT_TRUE(printer.blit(70, 200, page, RasterOp::And));
    ASSERT_TRUE(printer.newPage());  // a second sheet
    EXPECT_TRUE(printer.blit(70, 20, page, RasterOp::And));
    ASSERT_TRUE(printer.newPage());  // a blank third one never comes out
    ASSERT_TRUE(printer.endDoc());
    const std::string bytes = test::readFile(pdf.toStdString());
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    EXPECT_NE(bytes.find("/Count 2"), std::string::npos);
}

TEST(QtPrinter, OverlappingAndCopiesKeepTheDarkPixelsOfBoth) {
    test::TempDir dir;
    QtPrinter printer(QString::fromStdString(dir.path() + "stack.pdf"));
    ASSERT_TRUE(printer.newPage());
    // A sheet is as wide as the page area with its margins and shaped like the paper.
    EXPECT_EQ(printer.sheet().width(), kSheetWidth);
    EXPECT_GT(printer.sheet().height(), kSheetWidth);
    Picture upper(620, 10, kRgbWhite);
    Picture lower(620, 10, kRgbWhite);
    upper.setPixel(5, 8, kRgbBlack);  // lands at (75, 28)
    lower.setPixel(6, 2, 0x808080);   // lands at (76, 28)
    ASSERT_TRUE(printer.blit(70, 20, upper, RasterOp::And));
    ASSERT_TRUE(printer.blit(70, 26, lower, RasterOp::And));
    EXPECT_EQ(printer.sheet().pixel(75, 28), kRgbBlack);
    EXPECT_EQ(printer.sheet().pixel(76, 28), 0x808080u);
    EXPECT_EQ(printer.sheet().pixel(77, 28), kRgbWhite);
    EXPECT_EQ(printer.sheet().pixel(69, 20), kRgbWhite);
    // The next sheet starts blank.
    ASSERT_TRUE(printer.newPage());
    EXPECT_EQ(printer.sheet().pixel(75, 28), kRgbWhite);
    EXPECT_TRUE(printer.endDoc());
}

TEST(QtPrinter, EmptyDocumentPrintsNoSheet) {
    test::TempDir dir;
    const QString pdf = QString::fromStdString(dir.path() + "empty.pdf");
    QtPrinter printer(pdf);
    EXPECT_TRUE(printer.newPage());
    EXPECT_TRUE(printer.endDoc());
    EXPECT_FALSE(std::filesystem::exists(pdf.toStdString()));
}

TEST(QtPrinter, UnwritablePdfMakesTheJobFail) {
    test::TempDir dir;
    QtPrinter printer(QString::fromStdString(dir.path() + "no/such/folder/x.pdf"));
    EXPECT_TRUE(printer.newPage());
    EXPECT_TRUE(printer.blit(0, 0, Picture(10, 10, kRgbBlack), RasterOp::Copy));
    EXPECT_FALSE(printer.endDoc());
}

TEST(QtPrinter, WithoutAnyPrinterEveryOperationFails) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has printers";
    QtPrinter printer;
    EXPECT_FALSE(printer.newPage());
    EXPECT_FALSE(printer.blit(0, 0, Picture(4, 4), RasterOp::And));
    EXPECT_FALSE(printer.endDoc());
}

TEST(QtWavePlayer, MissingClipOrNoAudioOutputPlaysNothing) {
    test::TempDir dir;
    QtWavePlayer player;
    EXPECT_FALSE(player.play(dir.path() + "absent.wav"));
    EXPECT_FALSE(player.play(dir.path()));  // a folder is no clip
    if (!QMediaDevices::audioOutputs().isEmpty()) GTEST_SKIP() << "this machine has audio";
    ASSERT_TRUE(OfflineSynth::writeWav(dir.path() + "click.wav", std::vector<std::int16_t>(10)));
    EXPECT_FALSE(player.play(dir.path() + "click.wav"));
}

}  // namespace
}  // namespace lutavo
