// Random clicks, drags, wheel turns and keys sent to the real window from a fixed seed; the
// window must keep answering with a consistent song. Each action is written to standard error
// as it goes, so a crash or a hang shows the last ones; LUTAVO_MONKEY_SEED replays a run.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <random>

#include "app/song_files.h"
#include "core/guitar.h"
#include "fakes/fake_midi.h"
#include "fakes/fake_wave.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "ui/application.h"
#include "ui/main_window.h"

namespace lutavo {
namespace {

namespace fs = std::filesystem;

// Answers as a hasty user: a sample song, a save into the scratch folder, an item the menu
// offers, Yes or No, and now and then a cancel.
class MonkeyDialogs : public Dialogs {
  public:
    MonkeyDialogs(std::mt19937& rng, const fs::path& folder) : rng_(rng), folder_(folder) {
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.path().extension() != ".bmp") files_.push_back(entry.path());
    }
    MessageAnswer message(const std::string&, const std::string&, MessageButtons b) override {
        if (b == MessageButtons::Ok) return MessageAnswer::Ok;
        return rng_() % 2 ? MessageAnswer::Yes : MessageAnswer::No;
    }
    std::string openFile(const FileDialogRequest& request) override {
        std::vector<fs::path> fitting;
        for (const fs::path& f : files_)  // now and then a file of another kind
            if (request.pattern.ends_with(f.extension().string()) || rng_() % 50 == 0)
                fitting.push_back(f);
        return fitting.empty() || rng_() % 5 == 0 ? "" : fitting[rng_() % fitting.size()];
    }
    std::string saveFile(const FileDialogRequest&) override {
        if (rng_() % 5 == 0) return "";
        return folder_ / ("SAVED" + std::to_string(rng_() % 3) + ".SNG");
    }
    int popupMenu(const Menu& menu) override {
        std::vector<int> offered;
        for (std::size_t i = 0; i < menu.items.size(); ++i) {
            const MenuItem& item = menu.items[i];
            if (item.visible && item.enabled && item.caption != "-") offered.push_back(int(i));
        }
        return offered.empty() || rng_() % 4 == 0 ? -1 : offered[rng_() % offered.size()];
    }
    bool printerSetup() override { return rng_() % 2 == 0; }

  private:
    std::mt19937& rng_;
    fs::path folder_;
    std::vector<fs::path> files_;
};

int envNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

QString nameOf(const QWidget* w) {
    if (!w->objectName().isEmpty()) return w->objectName();
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    return QString(w->metaObject()->className()) + (button ? " " + button->text() : "") + " in " +
           (w->parentWidget() ? nameOf(w->parentWidget()) : "");
}

// Visible widgets a click can land on: the leaves, the buttons and the scroll bars.
QList<QWidget*> controls() {
    QList<QWidget*> found;
    for (QWidget* top : QApplication::topLevelWidgets())
        for (QWidget* w : top->findChildren<QWidget*>())
            if (w->isVisible() &&
                (w->findChildren<QWidget*>().isEmpty() || qobject_cast<QAbstractButton*>(w)))
                found << w;
    return found;
}

class Monkey : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.isValid());
        qputenv("HOME", scratch_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", scratch_.filePath("config").toUtf8());
        // Copies of the songs and pictures: a save over a loaded song stays in the scratch.
        fs::copy(LUTAVO_TEST_DATA_DIR, data_, fs::copy_options::recursive);
        dialogs_ = std::make_unique<MonkeyDialogs>(rng_, data_);
        startWindow();
    }
    void startWindow() {
        app_.reset();
        LaunchOptions options{QString::fromStdString(data_), "", scratch_.filePath("lock"), true};
        app_ = std::make_unique<Application>(options);
        ASSERT_TRUE(app_->start());
        Services& sys = g().sys;
        sys.dialogs = dialogs_.get();
        sys.midi = &midi_;
        sys.wave = &wave_;
        midi_.open(0);
        sys.printer->setPdfFile(scratch_.filePath("printed.pdf").toStdString());
        app_->window().binder().run([this] { loadsong(g(), data_ / "songs/greensleeves.SNG"); });
        ++starts_;
    }
    Guitar& g() { return app_->guitar(); }
    QPoint pointIn(const QWidget* w) {
        return {int(rng_() % std::max(1, w->width())), int(rng_() % std::max(1, w->height()))};
    }

    // One click, drag, wheel turn or key on a control or anywhere on its window, sent to the
    // widget a user's action at that point would reach.
    QString act() {
        const QList<QWidget*> all = controls();
        QWidget* control = all.isEmpty() ? &app_->window() : all[rng_() % all.size()];
        QWidget* top = control->window();
        const unsigned kind = rng_() % 20;
        QPoint at = rng_() % 4 == 0 ? pointIn(top) : control->mapTo(top, pointIn(control));
        const Qt::MouseButton button = rng_() % 4 == 0 ? Qt::RightButton : Qt::LeftButton;
        QWidget* target = top->childAt(at) ? top->childAt(at) : top;
        at = target->mapFrom(top, at);
        const QString where = QString("%1 (%2,%3)").arg(nameOf(target)).arg(at.x()).arg(at.y());
        if (kind < 11) {
            QTest::mouseClick(target, button, {}, at);
            return "click " + where;
        }
        if (kind < 13) {
            const QPoint to = at + QPoint{int(rng_() % 121) - 60, int(rng_() % 61) - 30};
            QTest::mousePress(target, button, {}, at);
            QTest::mouseMove(target, to);
            QTest::mouseRelease(target, button, {}, to);
            return "drag " + where + " by " + QString::number(to.x() - at.x());
        }
        if (kind < 15) {
            QWheelEvent wheel(at, target->mapToGlobal(at), {}, {0, rng_() % 2 ? 120 : -120},
                              Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
            return "wheel " + where;
        }
        static const QStringList keys =
            QString(
                "Left Right Shift+Left Shift+Right Ins Del Ctrl+S Ctrl+C Ctrl+V Ctrl+Z "
                "Ctrl+Shift+Z "
                "Ctrl+Y Space Ctrl+O Ctrl+L Ctrl+P F1 Ctrl+Q Up Down PgDown Home Return Esc Tab "
                "Backspace A 7")
                .split(' ');
        const QString& name = keys[rng_() % keys.size()];
        const QKeyCombination key = QKeySequence(name)[0];
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : top;
        QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        return "key " + name + " to " + nameOf(focus);
    }

    // The window runs a posted call, is on show, and its song's counters point inside it.
    void expectAnswering(int done) {
        bool answered = false;
        QMetaObject::invokeMethod(
            &app_->window(), [&] { answered = true; }, Qt::QueuedConnection);
        for (QDeadlineTimer deadline(10000); !answered && !deadline.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 100);
        const SongModel& s = g().song;
        const bool consistent = s.noteCount >= 0 && s.noteCount <= kMaxNotes && s.curNote >= 0 &&
                                s.curNote <= s.noteCount + 1 && s.curPage >= 1 &&
                                s.curPage <= kMaxPages;
        ASSERT_TRUE(answered && app_->window().isVisible() && consistent)
            << "after " << done << " actions, seed " << seed_ << ": answered " << answered
            << ", notes " << s.noteCount << ", note " << s.curNote << ", page " << s.curPage;
    }

    QTemporaryDir scratch_;
    fs::path data_ = fs::path(scratch_.path().toStdString()) / "data";
    const int seed_ = envNumber("LUTAVO_MONKEY_SEED", 15);
    std::mt19937 rng_{static_cast<unsigned>(seed_)};
    std::unique_ptr<MonkeyDialogs> dialogs_;
    test::FakeMidiOut midi_;
    test::FakeWavePlayer wave_;
    std::unique_ptr<Application> app_;
    int starts_ = 0;
};

TEST_F(Monkey, RandomActionsLeaveTheWindowAnsweringAndItsSongConsistent) {
    const int actions = envNumber("LUTAVO_MONKEY_ACTIONS", 300);
    std::fprintf(stderr, "monkey: seed %d, %d actions\n", seed_, actions);
    for (int done = 0; done < actions; ++done) {
        // A popup or a modal box left open by the last action is dismissed, as a user would.
        for (QWidget* open : {QApplication::activePopupWidget(), QApplication::activeModalWidget()})
            if (open != nullptr) open->close();
        std::fprintf(stderr, "monkey %d: %s\n", done, qPrintable(act()));
        QApplication::processEvents();
        // EXIT and Ctrl+Q end the program as they should; a fresh one takes over.
        if (!app_->window().isVisible()) {
            ASSERT_NO_FATAL_FAILURE(startWindow()) << done;
        }
        if (done % 100 == 99) {
            ASSERT_NO_FATAL_FAILURE(expectAnswering(done + 1));
        }
    }
    std::fprintf(stderr, "monkey: the window started %d times\n", starts_);
}

}  // namespace
}  // namespace lutavo
