// The window converts and repaints only the pictures the program changed, and can be brought
// up to date in the middle of a handler.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>

#include "app/song_files.h"
#include "core/guitar.h"
#include "platform/screen.h"
#include "playback/engine.h"
#include "playback/transport.h"
#include "ui/application.h"
#include "ui/main_window.h"

namespace lutavo {
namespace {

class Repaint : public ::testing::Test {
  protected:
    void SetUp() override {
        LaunchOptions options;
        options.appFolder = LUTAVO_TEST_DATA_DIR;
        options.lockPath = home_.filePath("repaint.lock");
        options.headless = true;
        app_ = std::make_unique<Application>(options);
        ASSERT_TRUE(app_->start());
    }
    Guitar& g() { return app_->guitar(); }
    ViewBinder& view() { return app_->window().binder(); }

    QTemporaryDir home_;
    std::unique_ptr<Application> app_;
};

TEST_F(Repaint, TickThatMovesOnlyTheMarkersConvertsNoPagePicture) {
    view().run([this] { loadsong(g(), g().app.appFolder + "songs/greensleeves.SNG"); });
    view().run([this] { playbtn_Click(g(), kPlay); });
    int markerTicks = 0;
    int pageTurns = 0;
    for (int tick = 0; tick < 2000 && pageTurns == 0; ++tick) {
        const int page = g().song.curPage;
        const int note = g().song.curNote;
        const int score = view().conversionsOf(g().display.picscore);
        const int tab = view().conversionsOf(g().display.pictab);
        const int neck = view().conversionsOf(g().neck.fretboard);
        view().run([this] { ntimer_Timer(g()); });
        if (g().song.curPage != page) {
            // The positive control: a page turn does convert the page.
            EXPECT_GT(view().conversionsOf(g().display.picscore), score);
            ++pageTurns;
        } else if (g().song.curNote != note) {
            EXPECT_EQ(view().conversionsOf(g().display.picscore), score) << "tick " << tick;
            EXPECT_EQ(view().conversionsOf(g().display.pictab), tab) << "tick " << tick;
            if (view().conversionsOf(g().neck.fretboard) > neck) ++markerTicks;
        }
    }
    EXPECT_GT(markerTicks, 3);
    EXPECT_EQ(pageTurns, 1);
}

TEST_F(Repaint, PresentShowsTheStateBeforeTheHandlerEnds) {
    auto* title = app_->window().findChild<QLabel*>("lbltitle");
    ASSERT_NE(title, nullptr);
    QString shownMidway;
    view().run([&] {
        g().ui.lbltitle.caption = "Page 2 of 3";
        g().sys.screen->present();
        shownMidway = title->text();
        g().ui.lbltitle.caption = "done";
    });
    EXPECT_EQ(shownMidway, "Page 2 of 3");
    EXPECT_EQ(title->text(), "done");
}

}  // namespace
}  // namespace lutavo
