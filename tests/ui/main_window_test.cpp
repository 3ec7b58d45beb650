// The real window, started offscreen through the program's own wiring.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "app/panels.h"
#include "core/guitar.h"
#include "fakes/fake_dialogs.h"
#include "playback/engine.h"
#include "song/song_file.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/widgets.h"

namespace lutavo {
namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        configHome_ = new QTemporaryDir;
        qputenv("XDG_CONFIG_HOME", configHome_->path().toUtf8());
        LaunchOptions options;
        options.appFolder = LUTAVO_TEST_DATA_DIR;
        options.lockPath = configHome_->filePath("lutavo.lock");
        options.headless = true;
        app_ = new Application(options);
        started_ = app_->start();
    }
    static void TearDownTestSuite() {
        delete app_;
        delete configHome_;
    }

    void SetUp() override { ASSERT_TRUE(started_); }

    static Guitar& g() { return app_->guitar(); }
    static MainWindow& window() { return app_->window(); }
    template <typename W>
    static W* child(const char* name) {
        return window().findChild<W*>(name);
    }

    static QTemporaryDir* configHome_;
    static Application* app_;
    static bool started_;
};

QTemporaryDir* MainWindowTest::configHome_ = nullptr;
Application* MainWindowTest::app_ = nullptr;
bool MainWindowTest::started_ = false;

TEST_F(MainWindowTest, WindowHasTheFixedWidthAndTheHeightOfThePage) {
    EXPECT_EQ(window().width(), 9865 / 15);
    EXPECT_EQ(window().height(), g().app.windowHeight / 15);
    EXPECT_EQ(g().app.windowHeight, g().song.pageHeight + 3800);
    // A resize by the user snaps back.
    window().resize(800, 300);
    QApplication::processEvents();
    EXPECT_EQ(window().size(), QSize(9865 / 15, g().app.windowHeight / 15));
}

TEST_F(MainWindowTest, PageAreaSitsWhereThePrintoutReadsIt) {
    auto* frame = child<QWidget>("Pageframe");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->geometry().topLeft(), QPoint(4, 152));
    EXPECT_EQ(frame->width(), 620);
    auto* score = child<PictureView>("picscore");
    auto* tab = child<PictureView>("pictab");
    ASSERT_NE(score, nullptr);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(score->size(), QSize(g().display.picscore.width(), g().display.picscore.height()));
    EXPECT_EQ(tab->size(), QSize(g().display.pictab.width(), g().display.pictab.height()));
}

TEST_F(MainWindowTest, LabelColoursAreReadBlueGreenRed) {
    auto* song = child<QLabel>("lblsong");
    ASSERT_NE(song, nullptr);
    const Color before = g().ui.lblsong.color;
    for (const auto& [model, shown] : {std::pair{kColorActive, QColor(255, 0, 0)},
                                       std::pair{Color{0xFF0000}, QColor(0, 0, 255)}}) {
        g().ui.lblsong.color = model;
        window().sync();
        EXPECT_EQ(song->palette().color(QPalette::WindowText), shown);
    }
    g().ui.lblsong.color = before;
    window().sync();
}

// Panels out of view sit below the window; moved into view they show the model's texts.
TEST_F(MainWindowTest, PanelsMoveIntoViewWithTheModel) {
    auto* tuner = child<QWidget>("pnlAdjTuning");
    auto* info = child<QWidget>("pnlsonginfo");
    ASSERT_TRUE(tuner && info);
    EXPECT_GE(tuner->y(), window().height());
    EXPECT_GE(info->y(), window().height());
    const Placement savedTuner = g().ui.pnlAdjTuning.at, savedInfo = g().ui.pnlsonginfo.at;
    g().ui.pnlAdjTuning.at.top = 1840;
    g().ui.pnlsonginfo.at.top = g().app.windowHeight - 880;
    g().ui.txtsititle.text = "New Song";
    window().sync();
    EXPECT_EQ(tuner->y(), 1840 / 15);
    EXPECT_TRUE(tuner->isVisible());
    EXPECT_EQ(info->y(), (g().app.windowHeight - 880) / 15);
    auto boxes = info->findChildren<QLineEdit*>();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_TRUE(std::any_of(boxes.begin(), boxes.end(),
                            [](QLineEdit* box) { return box->text() == "New Song"; }));
    ASSERT_TRUE(
        saveScreenshot(window(), QDir(LUTAVO_UI_TEST_OUTPUT_DIR).filePath("song_info.png")));
    g().ui.pnlAdjTuning.at = savedTuner;
    g().ui.pnlsonginfo.at = savedInfo;
    window().sync();
}

TEST_F(MainWindowTest, PageScrollBarTurnsThePage) {
    window().binder().run(
        [] { loadsong(g(), std::string(LUTAVO_TEST_DATA_DIR) + "/songs/amazing_grace.SNG"); });
    auto* bar = child<QScrollBar>("pgScroll");
    ASSERT_NE(bar, nullptr);
    ASSERT_GE(g().ui.pgScroll.max, 2);
    EXPECT_TRUE(bar->isVisibleTo(&window()));
    EXPECT_EQ(bar->maximum(), g().ui.pgScroll.max);
    EXPECT_EQ(bar->value(), 1);

    const int redraws = g().display.pageRedraws;
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 4));
    QApplication::processEvents();
    EXPECT_EQ(g().ui.pgScroll.value, 2);
    EXPECT_EQ(g().song.curPage, 2);
    EXPECT_GT(g().display.pageRedraws, redraws);
    // Page 2 has no titles.
    EXPECT_FALSE(child<QLabel>("lbltitle")->isVisible());

    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QApplication::processEvents();
    EXPECT_EQ(g().song.curPage, 1);
    EXPECT_TRUE(child<QLabel>("lbltitle")->isVisible());
}

TEST_F(MainWindowTest, StringButtonBringsTheTunerBesideThatString) {
    auto* tuner = child<QWidget>("pnlAdjTuning");
    auto* third = child<CommandButton>("StringName(3)");
    ASSERT_NE(tuner, nullptr);
    ASSERT_NE(third, nullptr);
    QTest::mouseClick(third, Qt::LeftButton);
    EXPECT_EQ(tuner->y(), (1840 - 215 * 3) / 15);
    EXPECT_TRUE(tuner->isVisible());
    EXPECT_EQ(g().tuning.tuneString, 4);
    ASSERT_TRUE(saveScreenshot(window(), QDir(LUTAVO_UI_TEST_OUTPUT_DIR).filePath("tuner.png")));

    QTest::mouseClick(child<CommandButton>("cmdtuneOK"), Qt::LeftButton);
    EXPECT_GE(tuner->y(), window().height());
}

TEST_F(MainWindowTest, SongsCommandLoadsTheChosenSongAndPlaysItOnTheNeck) {
    const std::string song = std::string(LUTAVO_TEST_DATA_DIR) + "/songs/jingle_bells.SNG";
    test::FakeDialogs dialogs;
    dialogs.fileAnswers.push_back(song);
    Dialogs* real = g().sys.dialogs;
    g().sys.dialogs = &dialogs;

    CommandButton* songs = nullptr;
    for (auto* w : window().findChildren<CommandButton*>())
        if (w->text() == "SONGS") songs = w;
    ASSERT_NE(songs, nullptr);
    QTest::mouseClick(songs, Qt::LeftButton);
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].title, "Load Song");
    EXPECT_EQ(g().song.songFile, song);
    EXPECT_NE(child<QLabel>("lblsong")->text().indexOf("JINGLE_BELLS.SNG"), -1);

    const Picture plainNeck = g().neck.fretboard;
    auto* play = child<CommandButton>("playbtn(2)");
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->text(), "PLAY");
    QTest::mouseClick(play, Qt::LeftButton);
    ASSERT_TRUE(g().ntimer.enabled);
    EXPECT_FALSE(g().gtimer.enabled);
    // The ticks come from the test, not the clock: a few beats into the song.
    for (int tick = 0; tick < 40 && g().song.curNote < 3; ++tick)
        window().binder().run([] { ntimer_Timer(g()); });
    EXPECT_GE(g().song.curNote, 2);
    EXPECT_NE(g().neck.fretboard.pixels(), plainNeck.pixels()) << "no marker on the neck";
    EXPECT_TRUE(saveScreenshot(window(), QDir(LUTAVO_UI_TEST_OUTPUT_DIR).filePath("playing.png")));

    QTest::mouseClick(child<CommandButton>("playbtn(6)"), Qt::LeftButton);  // STOP
    EXPECT_FALSE(g().ntimer.enabled);
    EXPECT_TRUE(g().gtimer.enabled);
    g().sys.dialogs = real;
}

TEST_F(MainWindowTest, ScreenshotIsWrittenAtTheWindowSize) {
    const QString path = QDir(LUTAVO_UI_TEST_OUTPUT_DIR).filePath("main_window.png");
    QFile::remove(path);
    ASSERT_TRUE(saveScreenshot(window(), path));
    QImage shot(path);
    ASSERT_FALSE(shot.isNull());
    const qreal ratio = window().devicePixelRatioF();
    EXPECT_EQ(shot.width(), qRound(window().width() * ratio));
    EXPECT_EQ(shot.height(), qRound(window().height() * ratio));
    // The page is white paper, the toolbar is not.
    const QPoint paper = (QPoint(4 + 19 + 300, 152 + 5 + 40) * ratio);
    EXPECT_EQ(shot.pixelColor(paper), QColor(Qt::white));
    EXPECT_NE(shot.pixelColor(QPoint(2, 2) * ratio), QColor(Qt::white));
}

TEST(CommandLine, ReadsFolderAndOptionsAndRefusesWhatItCannotUse) {
    auto line = parseCommandLine({"lutavo", "--screenshot", "a.png", "dir"});
    EXPECT_EQ(line.screenshot, "a.png");
    EXPECT_EQ(line.folder, "dir");
    EXPECT_TRUE(line.error.isEmpty());
    EXPECT_EQ(parseCommandLine({"lutavo", "/tmp/songs"}).folder, "/tmp/songs");
    EXPECT_TRUE(parseCommandLine({"lutavo", "--help"}).help);
    EXPECT_TRUE(parseCommandLine({"lutavo", "--version"}).version);
    for (const QStringList& bad :
         {QStringList{"lutavo", "--screenshot"}, QStringList{"lutavo", "--frobnicate"},
          QStringList{"lutavo", "one", "two"}})
        EXPECT_FALSE(parseCommandLine(bad).error.isEmpty()) << bad.join(' ').toStdString();
}

}  // namespace
}  // namespace lutavo

int main(int argc, char** argv) {
    // Offscreen unless a display is there to use (xvfb-run sets one).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
