// Random clicks, drags, wheel turns and keys sent to the real window from a fixed seed; the
// window must keep answering with a consistent song. Each action is written to standard error
// as it goes, so a crash or a hang shows the last ones; LUTAVO_MONKEY_SEED (0 when unset)
// replays a run and LUTAVO_MONKEY_ACTIONS sets how many actions it makes.

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
#include "fakes/test_rig.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "ui/application.h"
#include "ui/main_window.h"

namespace lutavo {
namespace {

namespace fs = std::filesystem;

QString nameOf(const QWidget* w) {
    if (!w->objectName().isEmpty()) return w->objectName();
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    return QString(w->metaObject()->className()) + (button ? " " + button->text() : "") + " in " +
           (w->parentWidget() ? nameOf(w->parentWidget()) : "");
}

// The fixture answers the program's dialogs as a hasty user: a sample file, a save into the
// scratch folder, an item the menu offers, Yes or No, and now and then a cancel.
class Monkey : public ::testing::Test, public Dialogs {
  protected:
    void SetUp() override {
        qputenv("HOME", scratch_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", scratch_.filePath("config").toUtf8());
        // Copies of the songs and pictures: a save over a loaded song stays in the scratch.
        fs::copy(LUTAVO_TEST_DATA_DIR, data_, fs::copy_options::recursive);
        for (const auto& entry : fs::recursive_directory_iterator(data_))
            if (entry.is_regular_file() && entry.path().extension() != ".bmp")
                files_.push_back(entry.path());
        startWindow();
    }
    void startWindow() {
        app_.reset();
        app_ = std::make_unique<Application>(
            LaunchOptions{QString::fromStdString(data_), "", scratch_.filePath("lock"), true});
        ASSERT_TRUE(app_->start());
        Services& sys = g().sys;
        sys.dialogs = this;
        sys.midi = &midi_;
        sys.wave = &wave_;
        midi_.open(0);
        sys.printer->setPdfFile(scratch_.filePath("printed.pdf").toStdString());
        app_->window().binder().run([this] { loadsong(g(), data_ / "songs/greensleeves.SNG"); });
        ++starts_;
    }
    Guitar& g() { return app_->guitar(); }
    unsigned pick(std::size_t n) { return rng_() % std::max<std::size_t>(n, 1); }

    MessageAnswer message(const std::string& text, const std::string&, MessageButtons b) override {
        std::fprintf(stderr, "monkey is told: %s\n", text.substr(0, text.find('\n')).c_str());
        if (b == MessageButtons::Ok) return MessageAnswer::Ok;
        return pick(2) ? MessageAnswer::Yes : MessageAnswer::No;
    }
    std::string openFile(const FileDialogRequest& request) override {
        std::vector<fs::path> fitting;
        for (const fs::path& f : files_)  // now and then a file of another kind
            if (request.pattern.ends_with(f.extension().string()) || pick(50) == 0)
                fitting.push_back(f);
        return fitting.empty() || pick(5) == 0 ? "" : fitting[pick(fitting.size())];
    }
    std::string saveFile(const FileDialogRequest& request) override {
        if (pick(5) == 0) return "";
        return data_ / ("SAVED" + std::to_string(pick(3)) + request.defaultExt);
    }
    int popupMenu(const Menu& menu) override {
        std::vector<int> offered;
        for (std::size_t i = 0; i < menu.items.size(); ++i) {
            const MenuItem& item = menu.items[i];
            if (item.visible && item.enabled && item.caption != "-") offered.push_back(int(i));
        }
        return offered.empty() || pick(4) == 0 ? -1 : offered[pick(offered.size())];
    }
    bool printerSetup() override { return pick(2) == 0; }

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
        const bool anywhere = pick(4) == 0;
        QWidget* area = anywhere ? top : control;
        QPoint at = area->mapTo(top, QPoint{int(pick(area->width())), int(pick(area->height()))});
        const Qt::MouseButton button = pick(4) == 0 ? Qt::RightButton : Qt::LeftButton;
        QWidget* target = top->childAt(at) ? top->childAt(at) : top;
        at = target->mapFrom(top, at);
        const QString where = QString("%1 (%2,%3)").arg(nameOf(target)).arg(at.x()).arg(at.y());
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
        static const QStringList keys =
            QString(
                "Left Right Shift+Left Shift+Right Ins Del Ctrl+S Ctrl+C Ctrl+V Ctrl+Z "
                "Ctrl+Shift+Z "
                "Ctrl+Y Space Ctrl+O Ctrl+L Ctrl+P F1 Ctrl+Q Up Down PgDown Home Return Esc Tab "
                "Backspace A 7")
                .split(' ');
        const QString& name = keys[pick(keys.size())];
        const QKeyCombination key = QKeySequence(name)[0];
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : top;
        QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        return "key " + name + " to " + nameOf(focus);
    }

    QTemporaryDir scratch_;
    fs::path data_ = fs::path(scratch_.path().toStdString()) / "data";
    std::vector<fs::path> files_;
    const int seed_ = qEnvironmentVariableIntValue("LUTAVO_MONKEY_SEED");
    std::mt19937 rng_{static_cast<unsigned>(seed_)};
    test::FakeMidiOut midi_;
    test::FakeWavePlayer wave_;
    std::unique_ptr<Application> app_;
    int starts_ = 0;
};

TEST_F(Monkey, RandomActionsLeaveTheWindowAnsweringAndItsSongConsistent) {
    const char* count = "LUTAVO_MONKEY_ACTIONS";  // unset: the count CTest runs
    const int actions =
        qEnvironmentVariableIsSet(count) ? qEnvironmentVariableIntValue(count) : 2000;
    std::fprintf(stderr, "monkey: seed %d, %d actions\n", seed_, actions);
    for (int done = 0; done < actions; ++done) {
        // A popup or a modal box left open by the last action is dismissed, as a user would.
        for (QWidget* open : {QApplication::activePopupWidget(), QApplication::activeModalWidget()})
            if (open != nullptr) open->close();
        std::fprintf(stderr, "monkey %d: %s\n", done, qPrintable(act()));
        QApplication::processEvents();
        // EXIT and Ctrl+Q end the program as they should; a fresh one takes over.
        if (!app_->window().isVisible()) {
            ASSERT_NO_FATAL_FAILURE(startWindow()) << "after " << done + 1 << " actions";
        }
        if (done % 100 != 99) continue;
        // The window runs a posted call, is on show, and its song's counters point inside it.
        bool answered = false;
        QMetaObject::invokeMethod(
            &app_->window(), [&] { answered = true; }, Qt::QueuedConnection);
        for (QDeadlineTimer deadline(10000); !answered && !deadline.hasExpired();)
            QApplication::processEvents(QEventLoop::AllEvents, 100);
        const SongModel& s = g().song;
        ASSERT_EQ(test::join(answered, app_->window().isVisible(), s.noteCount <= kMaxNotes,
                             s.curNote >= 0 && s.curNote <= s.noteCount + 1,
                             s.curPage >= 1 && s.curPage <= kMaxPages),
                  "1|1|1|1|1|")
            << "after " << done + 1 << " actions, seed " << seed_;
    }
    std::fprintf(stderr, "monkey: the window started %d times\n", starts_);
}

}  // namespace
}  // namespace lutavo
