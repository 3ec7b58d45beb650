// The Qt services: timers driven from their models, the window read back into pictures, the
// printer on a machine without a printer.

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QPrinterInfo>
#include <QTimer>
#include <QWidget>

#include "fakes/test_rig.h"
#include "platform/sound_clock.h"
#include "platform_helpers.h"
#include "services/qt/qt_printer.h"
#include "services/qt/qt_screen.h"
#include "services/qt/timer_driver.h"

namespace lutavo {
namespace {

using test::eventsUntil;

TEST(TimerDriver, TicksUntilTheModelStopsAndATickThatLetsEventsThroughIsNotEnteredAgain) {
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
    EXPECT_EQ(driver.runningInterval(), 1);
    // The third tick stops its own timer, as the playback engine does at the song's end.
    EXPECT_TRUE(eventsUntil([&] { return !driver.running(); }));
    EXPECT_EQ(std::pair(ticks, deepest), std::pair(3, 1));
}

// The sounds of a tick are stamped with its due time: however late the window thread runs it,
// they are heard on the song's grid. A new pace times the ticks after it; anything asked for
// outside a tick (a click on the neck) is stamped now.
TEST(TimerDriver, StampsEachTickWithItsDueTimeHoweverLateItRuns) {
    TimerModel model{true, 4};
    SoundClock clock;
    std::vector<std::int64_t> stamps;
    TimerDriver driver(
        model,
        [&] {
            stamps.push_back(clock.nowNs());
            // The window thread held up for seven ticks.
            while (stamps.size() == 1 && steadyNowNs() - stamps[0] < 30'000'000) {
            }
            if (stamps.size() == 12) model.interval = 9;
            if (stamps.size() == 16) model.enabled = false;
        },
        TimerAccuracy::Precise, &clock);
    driver.sync();
    ASSERT_TRUE(eventsUntil([&] { return !driver.running(); }));
    ASSERT_EQ(stamps.size(), 16u);
    for (std::size_t i = 1; i < stamps.size(); ++i) {
        if (i == 12) continue;  // the new pace starts from the moment it was set
        EXPECT_EQ(stamps[i] - stamps[i - 1], (i < 12 ? 4 : 9) * 1'000'000) << "tick " << i;
    }
    EXPECT_FALSE(clock.inTick());
    EXPECT_LT(std::abs(clock.nowNs() - steadyNowNs()), 1'000'000);
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
    ASSERT_TRUE(screen.grab(15, 5, 10, 4, 1, shot));
    ASSERT_EQ(std::pair(shot.width(), shot.height()), std::pair(10, 4));
    for (auto [x, y, colour] :
         {std::tuple{0, 0, 0xFF0000u}, {4, 3, 0xFF0000u}, {5, 0, 0x0000FFu}, {9, 3, 0x0000FFu}})
        EXPECT_EQ(shot.pixel(x, y), colour) << x << "," << y;
    ASSERT_TRUE(screen.grab(35, 15, 10, 10, 1, shot));
    for (auto [x, y, colour] :
         {std::tuple{0, 0, 0x0000FFu}, {4, 4, 0x0000FFu}, {5, 0, kRgbWhite}, {0, 5, kRgbWhite}})
        EXPECT_EQ(shot.pixel(x, y), colour) << x << "," << y;
}

// Blits land on the sheet keeping the dark pixels of both; a blank last sheet never comes out.
TEST(QtPrinter, PrintsBlitsOntoSheetsOfAPdfDocument) {
    QtPrinter printer;
    ASSERT_TRUE(printer.startPdf());
    Picture upper(620, 10, kRgbWhite);
    Picture lower(620, 10, kRgbWhite);
    upper.setPixel(5, 8, kRgbBlack);  // lands at (75, 28)
    lower.setPixel(6, 2, 0x808080);   // lands at (76, 28)
    ASSERT_TRUE(printer.newPage());
    ASSERT_TRUE(printer.blit(70, 20, upper, RasterOp::And));
    ASSERT_TRUE(printer.blit(70, 26, lower, RasterOp::And));
    EXPECT_EQ(std::tuple(printer.sheet().pixel(75, 28), printer.sheet().pixel(76, 28),
                         printer.sheet().pixel(77, 28)),
              std::tuple(kRgbBlack, 0x808080u, kRgbWhite));
    ASSERT_TRUE(printer.newPage());
    EXPECT_EQ(printer.sheet().pixel(75, 28), kRgbWhite);
    EXPECT_TRUE(printer.blit(70, 20, upper, RasterOp::And));
    ASSERT_TRUE(printer.newPage());
    ASSERT_TRUE(printer.endDoc());
    std::string bytes;
    ASSERT_TRUE(printer.takePdf(bytes));
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    EXPECT_NE(bytes.find("/Count 2"), std::string::npos);
}

}  // namespace
}  // namespace lutavo
