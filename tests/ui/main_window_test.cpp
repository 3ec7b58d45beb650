// The real window, started offscreen through the program's own wiring.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <set>
#include <stdexcept>

#include "app/editor_mode.h"
#include "app/mode_bar.h"
#include "app/panels.h"
#include "app/song_files.h"
#include "app/startup.h"
#include "config/setup_window.h"
#include "core/guitar.h"
#include "editor/editor_commands.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_midi.h"
#include "fakes/test_rig.h"
#include "platform/screen.h"
#include "playback/engine.h"
#include "playback/midi_file.h"
#include "playback/transport.h"
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
    // The named widget; a missing one fails the test.
    template <typename W = QWidget>
    static W* child(const char* name) {
        if (auto* w = window().findChild<W*>(name)) return w;
        throw std::runtime_error(std::string("no widget ") + name);
    }
    static void click(const char* name) {
        QTest::mouseClick(child<CommandButton>(name), Qt::LeftButton);
    }
    // A button found by its caption; a missing one fails the test.
    static void clickCaption(const QString& caption) {
        for (CommandButton* b : window().findChildren<CommandButton*>())
            if (b->text() == caption) return QTest::mouseClick(b, Qt::LeftButton);
        throw std::runtime_error("no button " + caption.toStdString());
    }
    static QString output(const char* file) {
        return QDir(LUTAVO_UI_TEST_OUTPUT_DIR).filePath(file);
    }

    // The program's dialogs and MIDI device replaced by fakes for as long as this lives.
    struct Fakes {
        test::FakeDialogs dialogs;
        test::FakeMidiOut midi;
        Dialogs* realDialogs = g().sys.dialogs;
        MidiOut* realMidi = g().sys.midi;
        Fakes() {
            midi.open(-1);
            g().sys.dialogs = &dialogs;
            g().sys.midi = &midi;
        }
        ~Fakes() {
            g().sys.dialogs = realDialogs;
            g().sys.midi = realMidi;
        }
    };

    static inline QTemporaryDir* configHome_ = nullptr;
    static inline Application* app_ = nullptr;
    static inline bool started_ = false;
};

TEST_F(MainWindowTest, WindowHasTheFixedWidthAndTheHeightOfThePage) {
    EXPECT_EQ(g().app.windowHeight, g().song.pageHeight + 3800);
    EXPECT_EQ(window().size(), QSize(9865 / 15, g().app.windowHeight / 15));
    window().resize(800, 300);  // a resize by the user snaps back
    QApplication::processEvents();
    EXPECT_EQ(window().size(), QSize(9865 / 15, g().app.windowHeight / 15));
}

TEST_F(MainWindowTest, SongsCommandLoadsTheChosenSongAndPlaysItOnTheNeck) {
    const std::string song = std::string(LUTAVO_TEST_DATA_DIR) + "/songs/jingle_bells.SNG";
    Fakes fakes;
    auto& dialogs = fakes.dialogs;
    dialogs.fileAnswers.push_back(song);
    clickCaption("SONGS");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(g().song.songFile, song);
    EXPECT_NE(child<QLabel>("lblsong")->text().indexOf("JINGLE_BELLS.SNG"), -1);

    const Picture plainNeck = g().neck.fretboard;
    click("playbtn(2)");
    ASSERT_TRUE(g().ntimer.enabled);
    EXPECT_FALSE(g().gtimer.enabled);
    // The ticks come from the test, not the clock: a few beats into the song.
    for (int tick = 0; tick < 40 && g().song.curNote < 3; ++tick)
        window().binder().run([] { ntimer_Timer(g()); });
    EXPECT_GE(g().song.curNote, 2);
    EXPECT_NE(g().neck.fretboard.pixels(), plainNeck.pixels()) << "no marker on the neck";
    EXPECT_TRUE(saveScreenshot(window(), output("playing.png")));
    click("playbtn(6)");  // STOP
    EXPECT_FALSE(g().ntimer.enabled);
    EXPECT_TRUE(g().gtimer.enabled);
}

// The view converts only the pictures the program changed, and present() shows the state
// in the middle of a handler.
TEST_F(MainWindowTest, TickThatMovesOnlyTheMarkersConvertsNoPagePicture) {
    ViewBinder& view = window().binder();
    view.run([] { loadsong(g(), g().app.appFolder + "songs/greensleeves.SNG"); });
    view.run([] { playbtn_Click(g(), kPlay); });
    int markerTicks = 0;
    int pageTurns = 0;
    auto pages = [&view] {
        return view.conversionsOf(g().display.picscore) + view.conversionsOf(g().display.pictab);
    };
    for (int tick = 0; tick < 2000 && pageTurns == 0; ++tick) {
        const int page = g().song.curPage;
        const int note = g().song.curNote;
        const int converted = pages();
        const int neck = view.conversionsOf(g().neck.fretboard);
        view.run([] { ntimer_Timer(g()); });
        if (g().song.curPage != page) {
            EXPECT_GT(pages(), converted);  // a page turn does convert the page
            ++pageTurns;
        } else if (g().song.curNote != note) {
            EXPECT_EQ(pages(), converted) << "tick " << tick;
            if (view.conversionsOf(g().neck.fretboard) > neck) ++markerTicks;
        }
    }
    EXPECT_GT(markerTicks, 3);
    EXPECT_EQ(pageTurns, 1);
}

TEST_F(MainWindowTest, PresentShowsTheStateBeforeTheHandlerEnds) {
    auto* title = window().findChild<QLabel*>("lbltitle");
    ASSERT_NE(title, nullptr);
    QString shownMidway;
    window().binder().run([&] {
        g().ui.lbltitle.caption = "Page 2 of 3";
        g().sys.screen->present();
        shownMidway = title->text();
        g().ui.lbltitle.caption = "done";
    });
    EXPECT_EQ(shownMidway, "Page 2 of 3");
    EXPECT_EQ(title->text(), "done");
}

TEST_F(MainWindowTest, TypedTitleBecomesTheWindowCaption) {
    auto* title = child<QLineEdit>("txtsititle");
    title->setText("Air");
    QTest::keyClicks(title, "s");
    EXPECT_EQ(g().ui.form.caption, "Lutavo - Airs");
}

// The note-ons among messages: note numbers in order.
std::vector<int> noteOns(const std::vector<std::uint32_t>& messages) {
    std::vector<int> notes;
    for (std::uint32_t m : messages) {
        if ((m & 0xF0) == 0x90 && ((m >> 16) & 0x7F) > 0)
            notes.push_back(static_cast<int>((m >> 8) & 0x7F));
    }
    return notes;
}

TEST_F(MainWindowTest, ATuneWrittenOnTheNeckIsSavedReloadedAndExportedAsClicked) {
    Fakes fakes;
    auto& dialogs = fakes.dialogs;
    auto& midi = fakes.midi;
    ViewBinder& view = window().binder();
    auto command = [&view](int index) { view.run([index] { btnsongentry_Click(g(), index); }); };
    // A click on string slot (1 = lowest) at fret, at the middle of the fret's area on the neck.
    auto pluck = [](int slot, int fret, Qt::MouseButton button = Qt::LeftButton) {
        const auto& edge = g().display.fretEdgeX;
        const QPoint at((fret == 0 ? 0 : edge[fret - 1]) / 2 + edge[fret] / 2,
                        3 + (6 - slot) * 14 + 7);
        QTest::mousePress(child("fretboard"), button, {}, at);
        QTest::mouseRelease(child("fretboard"), button, {}, at);
    };

    view.run([] { closesong(g()); });
    view.run([] { modeBarPress(g(), kModeBarEdit); });
    ASSERT_EQ(g().app.appMode, kModeEditor);
    pluck(1, 3);
    command(kEditorNext);
    pluck(3, 2);
    command(kEditorTie);
    command(kEditorNext);
    pluck(5, 1);
    command(kEditorBend);
    command(kEditorNext);
    pluck(6, 0, Qt::RightButton);  // muted
    command(kEditorNewline);
    pluck(2, 2);
    command(kEditorNext);
    pluck(4, 7);
    EXPECT_EQ(g().ui.pgScroll.max, 2);
    ASSERT_TRUE(saveScreenshot(window(), output("editor.png")));
    const QImage shot(output("editor.png"));
    EXPECT_EQ(shot.size(), window().size() * window().devicePixelRatioF());
    EXPECT_NE(shot.pixelColor(2, 2), QColor(Qt::white));  // the toolbar is not paper
    const std::vector<int> clicked = noteOns(midi.messages());
    ASSERT_EQ(clicked.size(), 6u);

    QTemporaryDir dir;
    const std::string file = dir.filePath("MYTUNE.SNG").toStdString();
    dialogs.fileAnswers.push_back(file);
    command(kEditorSave);
    view.run([] { btnlexit_Click(g()); });  // saved: no question
    EXPECT_EQ(g().app.appMode, kModeSongs);
    dialogs.fileAnswers.push_back(file);
    view.run([] { modeBarPress(g(), kModeBarSongs); });
    EXPECT_EQ(test::join(dialogs.messages.size(), g().song.songFile, g().song.noteCount),
              test::join(0u, file, 9));

    std::vector<std::uint32_t> exported;
    for (const TimedMessage& m : recordPerformance(g()).messages)
        exported.push_back(m.message);
    EXPECT_EQ(noteOns(exported), clicked);
}

// C Chords from the mode bar, "7th" from the strip, PLAY: the first shape sounds C E G Bb.
TEST_F(MainWindowTest, TheSeventhChordOfTheLibrarySoundsAMinorSeventh) {
    Fakes fakes;
    auto& dialogs = fakes.dialogs;
    auto& midi = fakes.midi;
    ViewBinder& view = window().binder();
    dialogs.menuAnswers = {0, 13};  // "C Chords", then "A Scales"
    view.run([] { modeBarPress(g(), kModeBarChords); });
    QTest::mouseClick(child("pagepic"), Qt::LeftButton, {}, QPoint(14 * 25 + 12, 14));
    EXPECT_EQ(g().ui.lbltitle.caption, "C  7th Chords");
    ASSERT_GE(g().song.noteCount, 2);
    click("playbtn(2)");
    // The first tick sounds the first shape.
    for (int tick = 0; tick < 20 && noteOns(midi.messages()).empty(); ++tick)
        view.run([] { ntimer_Timer(g()); });
    EXPECT_EQ(g().song.curNote, 2);  // the first shape sounds, the second waits
    click("playbtn(6)");
    std::set<int> pitchClasses;
    for (int note : noteOns(midi.messages()))
        pitchClasses.insert(note % 12);
    EXPECT_EQ(pitchClasses, (std::set<int>{0, 4, 7, 10}));
    EXPECT_TRUE(saveScreenshot(window(), output("chords.png")));

    view.run([] { modeBarPress(g(), kModeBarScales); });
    QTest::mouseClick(child("pagepic"), Qt::LeftButton, {}, QPoint(6 * 50 + 25, 14));
    EXPECT_EQ(g().ui.lbltitle.caption, "A Minor Pentatonic Scale");
    EXPECT_TRUE(saveScreenshot(window(), output("scales.png")));
    view.run([] { btnlexit_Click(g()); });
    EXPECT_EQ(g().app.appMode, kModeSongs);
}

// LESSONS with a scripted dialog opens the first lesson; NEXT walks through every frame, each
// run by the window timer, and two frames are grabbed for a look.
TEST_F(MainWindowTest, TheFirstLessonStepsThroughEveryFrameWithNext) {
    Fakes fakes;
    auto& dialogs = fakes.dialogs;
    ViewBinder& view = window().binder();
    dialogs.fileAnswers.push_back(std::string(LUTAVO_TEST_DATA_DIR) + "/lessons/lesson1.LSN");
    clickCaption("LESSONS");
    ASSERT_EQ(g().app.appMode, kModeLesson);
    const int count = g().app.lessonFrameCount;
    const std::pair<int, const char*> grabs[] = {{2, "lesson_strings.png"}, {6, "lesson_song.png"}};
    for (int step = 0; step < 2 * count; ++step) {
        // The timer runs the frame NEXT asked for, and the one a picture frame moved on to.
        for (int tick = 0; tick < 3 && g().app.lessonRequest != g().app.lessonShown; ++tick)
            view.run([] { windowTimerTick(g()); });
        for (const auto& [frame, file] : grabs) {
            if (g().app.lessonFrame != frame) continue;
            EXPECT_TRUE(saveScreenshot(window(), output(file)));
        }
        if (g().app.lessonFrame == count) break;
        click("lbuttonNext");
    }
    EXPECT_EQ(test::join(g().app.lessonFrame, child<QLabel>("lbllnum")->text().toStdString(),
                         g().song.songTitle),
              test::join(count, std::to_string(count), "Lesson 1 - Reading the page"));
    for (const auto& m : dialogs.messages)
        ADD_FAILURE() << m.text;
    view.run([] { btnlexit_Click(g()); });
    EXPECT_EQ(test::join(g().app.appMode, child("pnllesson")->isVisible()),
              test::join(kModeSongs, false));
}

TEST(CommandLine, ReadsFolderAndOptionsAndRefusesWhatItCannotUse) {
    auto line = parseCommandLine({"lutavo", "--screenshot", "a.png", "--chords", "C:7th", "dir"});
    EXPECT_EQ(line.screenshot + "|" + line.chords + "|" + line.folder + "|" + line.error,
              "a.png|C:7th|dir|");
    EXPECT_TRUE(parseCommandLine({"lutavo", "--help"}).help);
    EXPECT_TRUE(parseCommandLine({"lutavo", "--version"}).version);
    for (const QStringList& bad :
         {QStringList{"lutavo", "--screenshot"}, QStringList{"lutavo", "--frobnicate"},
          QStringList{"lutavo", "--chords", "C7"}, QStringList{"lutavo", "one", "two"}})
        EXPECT_FALSE(parseCommandLine(bad).error.isEmpty()) << bad.join(' ').toStdString();
}

TEST_F(MainWindowTest, SetupOpensBesideTheWindowItsScrollBarWritesAndOkClosesIt) {
    click("outbtn(6)");
    auto* setup = child<QWidget>("LTsetup");
    ASSERT_TRUE(setup->isVisible());
    EXPECT_EQ(test::join(setup->windowTitle().toStdString(), setup->width(), setup->height(),
                         g().ui.outtxt[kSetupLabel].color),
              test::join("Lutavo Setup", 7530 / 15, 3375 / 15, kColorActive));
    const int p = g().config.preferredSound;
    const int patch = g().config.soundPatch[p];
    setup->findChild<QScrollBar*>("pint")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(g().config.soundPatch[p], patch + 1);
    EXPECT_TRUE(setup->grab().save(output("setup.png")));
    QTest::mouseClick(setup->findChild<QPushButton*>("devbut"), Qt::LeftButton);
    EXPECT_TRUE(setup->grab().save(output("setup_devices.png")));
    QTest::mouseClick(setup->findChild<QPushButton*>("setupok"), Qt::LeftButton);
    EXPECT_EQ(test::join(setup->isVisible(), g().app.pendingSoundAction,
                         g().ui.outtxt[kSetupLabel].color),
              test::join(0, kSoundSetupOk, kColorAvailable));
    window().binder().run([] { windowTimerTick(g()); });
    EXPECT_EQ(g().gtimer.interval, kWindowTimerInterval);
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
