// SPDX-License-Identifier: GPL-3.0-or-later
// The real window, started offscreen through the program's own wiring.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <random>
#include <set>
#include <stdexcept>
#include <utility>

#include "app/editor_mode.h"
#include "app/mode_bar.h"
#include "app/panels.h"
#include "app/song_files.h"
#include "app/startup.h"
#include "app/window_zoom.h"
#include "config/setup_window.h"
#include "core/guitar.h"
#include "editor/editor_commands.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_midi.h"
#include "fakes/fake_wave.h"
#include "fakes/midi_messages.h"
#include "fakes/test_rig.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "playback/engine.h"
#include "playback/transport.h"
#include "practice/progress_view.h"
#include "services/qt/progress_dialog.h"
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
        qputenv("HOME", configHome_->path().toUtf8());
        qputenv("XDG_DATA_HOME", configHome_->path().toUtf8());
        startApp(LUTAVO_TEST_DATA_DIR);
    }
    // A fresh program on the data folder, in place of the one before.
    static void startApp(const QString& folder) {
        delete app_;
        app_ = new Application({folder, "", configHome_->filePath("lutavo.lock"), true});
        started_ = app_->start();
    }
    static void TearDownTestSuite() {
        delete std::exchange(app_, nullptr);
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
    static void click(const char* n) { QTest::mouseClick(child<CommandButton>(n), Qt::LeftButton); }
    // A button found by its caption; a missing one fails the test.
    static void clickCaption(const QString& caption) {
        for (CommandButton* b : window().findChildren<CommandButton*>())
            if (b->text() == caption) return QTest::mouseClick(b, Qt::LeftButton);
        throw std::runtime_error("no button " + caption.toStdString());
    }
    static QString output(const char* f) { return QDir(LUTAVO_UI_TEST_OUTPUT_DIR).filePath(f); }
    // A click on string slot (1 = lowest) at fret, at the middle of the fret's area on the neck
    // drawn at zoom times its size.
    static void pluck(int slot, int fret, Qt::MouseButton button = Qt::LeftButton, int zoom = 1) {
        const auto& edge = g().display.fretEdgeX;
        const QPoint at = zoom * QPoint((fret == 0 ? 0 : edge[fret - 1]) / 2 + edge[fret] / 2,
                                        3 + (6 - slot) * 14 + 7);
        QTest::mousePress(child("fretboard"), button, {}, at);
        QTest::mouseRelease(child("fretboard"), button, {}, at);
    }

    // The program's dialogs and MIDI device replaced by fakes for as long as this lives.
    struct Fakes {
        test::FakeDialogs dialogs;
        test::FakeMidiOut midi;
        Services real = g().sys;
        Fakes() {
            g().sys.dialogs = &dialogs;
            g().sys.midi = &midi;
            midi.open(-1);
        }
        ~Fakes() { g().sys = real; }
    };

    static inline QTemporaryDir* configHome_ = nullptr;
    static inline Application* app_ = nullptr;
    static inline bool started_ = false;
};

TEST_F(MainWindowTest, SongsCommandLoadsTheChosenSongPlaysItOnTheNeckAndTrainsItsSpeed) {
    const std::string song = std::string(LUTAVO_TEST_DATA_DIR) + "/songs/jingle_bells.SNG";
    Fakes fakes;
    fakes.dialogs.fileAnswers.push_back(song);
    clickCaption("SONGS");
    ASSERT_EQ(fakes.dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(g().song.songFile, song);
    EXPECT_NE(child<QLabel>("lblsong")->text().indexOf("JINGLE_BELLS.SNG"), -1);

    const Picture plainNeck = g().neck.fretboard;
    click("playbtn(2)");
    ASSERT_TRUE(g().ntimer.enabled);
    EXPECT_FALSE(g().gtimer.enabled);
    // The ticks come from the test, not the clock: a few beats into the song.
    for (int tick = 0; tick < 40 && g().transport.curNote < 3; ++tick)
        window().binder().run([] { ntimer_Timer(g()); });
    EXPECT_GE(g().transport.curNote, 2);
    EXPECT_NE(g().neck.fretboard.pixels(), plainNeck.pixels()) << "no marker on the neck";
    EXPECT_TRUE(saveScreenshot(window(), output("playing.png")));
    click("playbtn(6)");  // STOP
    EXPECT_FALSE(g().ntimer.enabled);
    EXPECT_TRUE(g().gtimer.enabled);

    // T starts the speed trainer on the current line, its speed large enough to read from the
    // guitar; STOP ends it and the speed from before comes back.
    QApplication::setActiveWindow(&window());  // shortcuts go to the active window only
    QTest::keyClick(&window(), Qt::Key_T);
    for (int tick = 0; tick < 40; ++tick)
        window().binder().run([] { ntimer_Timer(g()); });
    auto* big = child<QLabel>("lbltrainer");
    EXPECT_EQ(std::tuple(g().transport.range.loop, big->isVisible(), big->text().toStdString(),
                         child<QLabel>("tempopct")->text().toStdString()),
              std::tuple(true, true, "60%", "60%"));
    EXPECT_GE(big->font().pointSizeF(), 20.0);
    EXPECT_TRUE(saveScreenshot(window(), output("trainer.png")));
    click("playbtn(6)");  // STOP
    EXPECT_EQ(std::tuple(big->isVisible(), g().playback.tempoPercent), std::tuple(false, 100));
}

// The progress view after a scripted week: a passage brought from 60% to 95% over four days, a
// second one begun, another song on Wednesday; a recent song chosen there is the answer.
TEST(ProgressView, AWeekOfPracticeIsDrawnAndARecentSongChosen) {
    QTemporaryDir dir;
    constexpr EpochSeconds kMonday = 1795996800, kDay = 86400;
    auto record = PracticeRecord::open(dir.filePath("practice.db").toStdString(), kMonday).record;
    ASSERT_TRUE(record);
    const PracticedSong a{"/songs/jingle_bells.SNG", 1}, b{"/songs/greensleeves.SNG", 2};
    const std::tuple<const PracticedSong*, int, int, std::vector<int>> week[] = {
        {&a, 0, 1, {60, 65, 70}}, {&a, 1, 1, {70, 75}},     {&a, 1, 9, {50, 55}}, {&b, 2, 1, {80}},
        {&a, 3, 1, {80, 85, 90}}, {&a, 6, 1, {85, 90, 95}}, {&a, 6, 9, {65}}};
    for (const auto& [song, day, first, tempos] : week) {
        const EpochSeconds start = kMonday + day * kDay + 18 * 3600 + first * 60;
        const auto id = record->beginSession(*song, first, first + 7, start);
        for (const int tempo : tempos)
            record->recordPass(id, tempo, start + 60);
        record->endSession(id, start + 300 * static_cast<EpochSeconds>(tempos.size()));
    }
    ProgressDialog dialog(progressReport(*record, a, kMonday + 6 * kDay + 22 * 3600, 0), nullptr);
    dialog.resize(640, 620);
    dialog.show();
    const QImage shot = dialog.grab().toImage();
    EXPECT_TRUE(shot.save(QDir(LUTAVO_UI_TEST_OUTPUT_DIR).filePath("progress.png")));
    ASSERT_EQ(shot.depth(), 32);
    const auto* pixels = reinterpret_cast<const QRgb*>(shot.constBits());
    const QRgb bar = qRgb(0x4a, 0x78, 0xb8);  // the four days of the song's practice
    EXPECT_GT(std::count(pixels, pixels + shot.width() * shot.height(), bar), 4 * 100);
    auto* recent = dialog.findChild<QListWidget*>("recentsongs");
    ASSERT_EQ(recent->count(), 2);
    recent->setCurrentRow(1);
    EXPECT_EQ(dialog.chosenSong(), b.path);
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
        const int page = g().transport.curPage;
        const int note = g().transport.curNote;
        const int converted = pages();
        const int neck = view.conversionsOf(g().neck.fretboard);
        view.run([] { ntimer_Timer(g()); });
        if (g().transport.curPage != page) {
            EXPECT_GT(pages(), converted);  // a page turn does convert the page
            ++pageTurns;
        } else if (g().transport.curNote != note) {
            EXPECT_EQ(pages(), converted) << "tick " << tick;
            if (view.conversionsOf(g().neck.fretboard) > neck) ++markerTicks;
        }
    }
    EXPECT_GT(markerTicks, 3);
    EXPECT_EQ(pageTurns, 1);
    view.run([] { playbtn_Click(g(), kStop); });  // the window the next test meets is still
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

using test::msg::noteOns;

TEST_F(MainWindowTest, ATuneIsWrittenWithClicksOnTheNeckAndTheEditorsButtons) {
    Fakes fakes;
    ViewBinder& view = window().binder();
    auto command = [&view](int index) { view.run([index] { btnsongentry_Click(g(), index); }); };

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
    EXPECT_EQ(noteOns(fakes.midi.messages()).size(), 6u);
    fakes.dialogs.answerYes = true;  // the tune let go
    view.run([] { btnlexit_Click(g()); });
    EXPECT_EQ(g().app.appMode, kModeSongs);
}

TEST_F(MainWindowTest, ZoomEnlargesTheWindowSharplyHoldsItsSizeAndComesBackExactly) {
    Fakes fakes;
    ViewBinder& view = window().binder();
    view.run([] { loadsong(g(), g().app.appFolder + "songs/greensleeves.SNG"); });
    // The fixed width, the page's height, and at 200% twice both.
    const QSize plain = window().size();
    EXPECT_EQ(plain, QSize(9865 / 15, (g().song.pageHeight + 3800) / 15));
    pluck(4, 5);
    const QImage before = window().grab().toImage();
    view.run([] { screenChanged(g(), 2000, 1500); });  // more than the offscreen screen
    for (int step : {1, 1})
        view.run([step] { zoomWindow(g(), step); });
    const QSize doubled(9865 * 2 / 15, g().app.windowHeight * 2 / 15);
    EXPECT_EQ(window().size(), doubled);
    window().resize(plain * 3);  // a forced resize snaps back: nothing parked comes into view
    QApplication::processEvents();
    EXPECT_EQ(window().size(), doubled);
    // Drawn from the sheets made at twice the size.
    EXPECT_EQ(child<PictureView>("fretboard")->fineImage().width(), 2 * g().neck.fretboard.width());
    EXPECT_EQ(child<PictureView>("picscore")->fineImage().width(),
              2 * g().display.picscore.width());
    pluck(4, 5, Qt::LeftButton, 2);
    const auto notes = noteOns(fakes.midi.messages());
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], notes[1]);  // the same fret under the doubled point
    QFile config(QString::fromStdString(g().app.configFile));
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_TRUE(config.readAll().contains("zoom=200\r\n"));

    QTest::keyClick(&window(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(g().config.zoomPercent, 100);
    EXPECT_EQ(window().size(), plain);
    EXPECT_EQ(window().grab().toImage(), before);
}

// C Chords from the mode bar, "7th" from the strip, PLAY: the first shape sounds C E G Bb.
TEST_F(MainWindowTest, TheSeventhChordOfTheLibrarySoundsAMinorSeventh) {
    Fakes fakes;
    ViewBinder& view = window().binder();
    fakes.dialogs.menuAnswers = {0};  // "C Chords"
    view.run([] { modeBarPress(g(), kModeBarChords); });
    QTest::mouseClick(child("pagepic"), Qt::LeftButton, {}, QPoint(14 * 25 + 12, 14));
    EXPECT_EQ(g().ui.lbltitle.caption, "C  7th Chords");
    ASSERT_GE(g().song.noteCount, 2);
    click("playbtn(2)");
    // The first tick sounds the first shape.
    for (int tick = 0; tick < 20 && noteOns(fakes.midi.messages()).empty(); ++tick)
        view.run([] { ntimer_Timer(g()); });
    EXPECT_EQ(g().transport.curNote, 2);  // the first shape sounds, the second waits
    click("playbtn(6)");
    std::set<int> pitchClasses;
    for (std::uint32_t note : noteOns(fakes.midi.messages()))
        pitchClasses.insert(test::msg::noteOf(note) % 12);
    EXPECT_EQ(pitchClasses, (std::set<int>{0, 4, 7, 10}));
    EXPECT_TRUE(saveScreenshot(window(), output("chords.png")));
    view.run([] { btnlexit_Click(g()); });
}

// LESSONS with a scripted dialog opens the first lesson; NEXT walks through every frame, each
// run by the window timer, and two frames are grabbed for a look.
TEST_F(MainWindowTest, TheFirstLessonStepsThroughEveryFrameWithNext) {
    Fakes fakes;
    ViewBinder& view = window().binder();
    fakes.dialogs.fileAnswers.push_back(std::string(LUTAVO_TEST_DATA_DIR) + "/lessons/lesson1.LSN");
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
    EXPECT_EQ(test::join(g().app.lessonFrame, child<QLabel>("lbllnum")->text().toStdString()),
              test::join(count, g().ui.lbllnum.caption));
    view.run([] { btnlexit_Click(g()); });
    EXPECT_EQ(test::join(g().app.appMode, child("pnllesson")->isVisible()),
              test::join(kModeSongs, false));
}

namespace fs = std::filesystem;

constexpr const char* kMonkeyKeys =
    "Left Right Shift+Left Shift+Right Ins Del Ctrl+S Ctrl+C Ctrl+V Ctrl+Z Ctrl+Shift+Z Ctrl+Y "
    "Space Ctrl+O Ctrl+L Ctrl+P F1 Ctrl+Q Ctrl++ Ctrl+- Ctrl+0 Up Down PgDown Home Return Esc Tab "
    "Backspace A 7 P L T [ ] Shift+T";

// Random clicks, drags, wheel turns and keys on the real window from LUTAVO_MONKEY_SEED (0 when
// unset), each logged as sent for a replay; the window must keep answering with a consistent song.
// The dialogs answer as a hasty user: a sample file, a scratch save, a menu item, or a cancel.
class Monkey : public MainWindowTest, public Dialogs {
  protected:
    void SetUp() override {
        // Copies of the songs and pictures: a save over a loaded song stays in the scratch.
        fs::copy(LUTAVO_TEST_DATA_DIR, data_, fs::copy_options::recursive);
        for (const auto& entry : fs::recursive_directory_iterator(data_))
            if (entry.is_regular_file()) files_.push_back(entry.path());
        startWindow();
    }
    void startWindow() {
        startApp(QString::fromStdString(data_));
        ASSERT_TRUE(started_);
        Services& sys = g().sys;
        sys.dialogs = this;
        sys.midi = &midi_;
        sys.wave = &wave_;
        sys.printer->startPdf(std::nullopt);  // printing stays in memory
        app_->window().binder().run([this] { loadsong(g(), data_ / "songs/greensleeves.SNG"); });
    }
    unsigned pick(std::size_t n) { return rng_() % std::max<std::size_t>(n, 1); }

    MessageAnswer message(const std::string&, const std::string&, MessageButtons b) override {
        if (b == MessageButtons::Ok) return MessageAnswer::Ok;
        return pick(2) ? MessageAnswer::Yes : MessageAnswer::No;
    }
    std::optional<std::string> openFile(const FileDialogRequest& request) override {
        std::vector<fs::path> fitting;
        for (const fs::path& f : files_)  // now and then a file of another kind
            if (request.pattern.ends_with(f.extension().string()) || pick(50) == 0)
                fitting.push_back(f);
        if (fitting.empty() || pick(5) == 0) return std::nullopt;
        return fitting[pick(fitting.size())];
    }
    std::optional<std::string> saveFile(const FileDialogRequest& request) override {
        if (pick(5) == 0) return std::nullopt;
        return data_ / ("SAVED" + std::to_string(pick(3)) + request.defaultExt);
    }
    int popupMenu(const Menu& menu) override {
        std::vector<int> offered;
        for (std::size_t i = 0; i < menu.items.size(); ++i)
            if (const MenuItem& m = menu.items[i]; m.visible && m.enabled && m.caption != "-")
                offered.push_back(int(i));
        return offered.empty() || pick(4) == 0 ? -1 : offered[pick(offered.size())];
    }
    bool printerSetup() override { return pick(2) == 0; }
    std::optional<SheetRange> printDialog(int sheets) override { return SheetRange{1, sheets}; }

    // One click, drag, wheel turn or key on a visible control (a leaf or a button) or anywhere
    // on its window, sent to the widget a user's action at that point would reach.
    QString act() {
        QList<QWidget*> all{&app_->window()};
        for (QWidget* top : QApplication::topLevelWidgets())
            for (QWidget* w : top->findChildren<QWidget*>())
                if (w->isVisible() &&
                    (w->findChildren<QWidget*>().isEmpty() || qobject_cast<QAbstractButton*>(w)))
                    all << w;
        QWidget* control = all[pick(all.size())];
        QWidget* top = control->window();
        const unsigned kind = pick(20);
        QWidget* area = pick(4) == 0 ? top : control;
        QPoint at = area->mapTo(top, QPoint{int(pick(area->width())), int(pick(area->height()))});
        const Qt::MouseButton button = pick(4) == 0 ? Qt::RightButton : Qt::LeftButton;
        QWidget* target = top->childAt(at) ? top->childAt(at) : top;
        const QString where =
            QString::asprintf("(%d,%d) of %s on %s", at.x(), at.y(), qPrintable(top->objectName()),
                              qPrintable(target->objectName()));
        at = target->mapFrom(top, at);
        if (kind < 11) {
            QTest::mouseClick(target, button, {}, at);
            return "click " + where;
        }
        if (kind < 13) {
            const QPoint to = at + QPoint{int(pick(121)) - 60, int(pick(61)) - 30};
            QTest::mousePress(target, button, {}, at);
            QTest::mouseMove(target, to);
            QTest::mouseRelease(target, button, {}, to);
            return "drag " + where + " by " + QString::number(to.x() - at.x());
        }
        if (kind < 15) {
            QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, pick(2) ? 120 : -120},
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
            return "wheel " + where;
        }
        static const QStringList keys = QString(kMonkeyKeys).split(' ');
        const QString& name = keys[pick(keys.size())];
        const QKeyCombination key = QKeySequence(name)[0];
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : top;
        QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        return "key " + name + " to " + focus->objectName();
    }

    QTemporaryDir scratch_;
    fs::path data_ = fs::path(scratch_.path().toStdString()) / "data";
    std::vector<fs::path> files_;
    const int seed_ = qEnvironmentVariableIntValue("LUTAVO_MONKEY_SEED");
    std::mt19937 rng_{static_cast<unsigned>(seed_)};
    test::FakeMidiOut midi_;
    test::FakeWavePlayer wave_;
};

TEST_F(Monkey, RandomActionsLeaveTheWindowAnsweringAndItsSongConsistent) {
    int actions = qEnvironmentVariableIntValue("LUTAVO_MONKEY_ACTIONS");
    if (actions <= 0) actions = 2000;  // the count CTest runs
    std::fprintf(stderr, "monkey: seed %d, %d actions\n", seed_, actions);
    for (int done = 0; done < actions; ++done) {
        // A popup or a modal box left open by the last action is dismissed, as a user would.
        for (QWidget* open : {QApplication::activePopupWidget(), QApplication::activeModalWidget()})
            if (open != nullptr) open->close();
        std::fprintf(stderr, "monkey %d: %s\n", done, qPrintable(act()));
        QApplication::processEvents();
        if (!app_->window().isVisible()) {  // EXIT or Ctrl+Q, as they should
            std::fprintf(stderr, "monkey: the window closed; a fresh one takes over\n");
            ASSERT_NO_FATAL_FAILURE(startWindow()) << "after " << done + 1 << " actions";
        }
        if (done % 100 != 99) continue;
        // The window runs a posted call, is on show, and its song's counters point inside it, the
        // note maybe at the lead-in's count position (-1) or one past the end while playing out.
        bool answered = false;
        QMetaObject::invokeMethod(
            &app_->window(), [&] { answered = true; }, Qt::QueuedConnection);
        for (QDeadlineTimer deadline(10000); !answered && !deadline.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 100);
        const SongModel& s = g().song;
        const TransportState& at = g().transport;
        ASSERT_EQ(test::join(answered, app_->window().isVisible(), s.noteCount <= kMaxNotes,
                             at.curNote >= -1 && at.curNote <= s.noteCount + 2,
                             at.curPage >= 1 && at.curPage <= kMaxPages),
                  "1|1|1|1|1|")
            << "after " << done + 1 << " actions, seed " << seed_;
    }
}

TEST(CommandLine, ReadsFolderAndOptionsAndRefusesWhatItCannotUse) {
    auto line = parseCommandLine(
        {"lutavo", "--screenshot", "a.png", "--chords", "C:7th", "--scales", "A:Major", "dir"});
    EXPECT_EQ(line.screenshot + "|" + line.chords + "|" + line.scales + "|" + line.folder + "|" +
                  line.error,
              "a.png|C:7th|A:Major|dir|");
    EXPECT_TRUE(parseCommandLine({"lutavo", "--help"}).help);
    EXPECT_TRUE(parseCommandLine({"lutavo", "--version"}).version);
    EXPECT_EQ(parseCommandLine({"lutavo", "--export-pdf", "s", "o", "--paper", "Letter"}).paper,
              "letter");
    for (const QStringList& bad :
         {QStringList{"lutavo", "--screenshot"}, QStringList{"lutavo", "--frobnicate"},
          QStringList{"lutavo", "--chords", "C7"}, QStringList{"lutavo", "--scales"},
          QStringList{"lutavo", "one", "two"}, QStringList{"lutavo", "--paper", "a4"},
          QStringList{"lutavo", "--export-pdf", "s", "o", "--paper", "a5"},
          QStringList{"lutavo", "--export-pdf", "s", "o", "--paper"}})
        EXPECT_FALSE(parseCommandLine(bad).error.isEmpty()) << bad.join(' ').toStdString();
}

// Pictures are read when first drawn: the lesson panel's waits for a lesson, the setup window's
// guitars for the window.
TEST_F(MainWindowTest, SetupOpensBesideTheWindowItsScrollBarWritesAndOkOrEscapeClosesIt) {
    startApp(LUTAVO_TEST_DATA_DIR);
    window().grab();
    EXPECT_TRUE(child<PictureView>("pointer")->imageFile()->read());
    const FileImageRef lesson = child<PictureView>("NewLessonPic")->imageFile();
    ASSERT_NE(lesson, nullptr);
    EXPECT_FALSE(lesson->read());
    auto* setup = child<QWidget>("LTsetup");
    const auto guitars = setup->findChildren<QToolButton*>();
    const auto drawn = [&guitars] {
        return std::ranges::count_if(guitars, [](auto* b) { return !b->icon().isNull(); });
    };
    EXPECT_EQ(test::join(guitars.size(), drawn()), test::join(4, 0));
    click("outbtn(6)");
    ASSERT_TRUE(setup->isVisible());
    EXPECT_EQ(test::join(setup->windowTitle().toStdString(), setup->width(), setup->height(),
                         g().ui.outtxt[kSetupLabel].color, drawn()),
              test::join("Lutavo Setup", 7530 / 15, 3375 / 15, kColorActive, 4));
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
    click("outbtn(6)");  // Escape on any of its controls cancels, as Cancel does
    QTest::keyClick(setup->findChild<QPushButton*>("devbut"), Qt::Key_Escape);
    EXPECT_EQ(test::join(setup->isVisible(), g().app.pendingSoundAction),
              test::join(0, kSoundSetupCancel));
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
