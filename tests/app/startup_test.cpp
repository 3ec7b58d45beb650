#include <gtest/gtest.h>

#include "app/panels.h"
#include "app/startup.h"
#include "base/numbers.h"
#include "core/control_ids.h"
#include "fakes/test_rig.h"

namespace lutavo {
namespace {

TEST(Numbers, RoundHalfEvenAndSixteenBitClamp) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(toInt16(40000), 32767);
    EXPECT_EQ(toInt16(-40000), -32768);
    EXPECT_EQ(numberPrefix(" 12abc"), 12);
    EXPECT_EQ(numberPrefix("-7.5"), -8);
    EXPECT_EQ(numberPrefix("abc"), 0);
    EXPECT_EQ(numberPrefix("1 2"), 12);
    EXPECT_EQ(numberPrefix("99999999999"), 32767);
}

TEST(Startup, SecondCopyIsRefusedBeforeTouchingAnything) {
    test::Rig rig;
    rig.lock.anotherCopyRunning = true;
    EXPECT_FALSE(startup(rig.g(), {test::dataFolder(), "", ""}, rig.lock));
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text, "This program is already running");
    EXPECT_EQ(rig.dialogs.messages[0].caption, "Lutavo");
    EXPECT_TRUE(rig.wave.played.empty());
}

TEST(Startup, DefaultsSetTablesAndWindow) {
    test::Rig rig;
    rig.defaults();
    auto& g = rig.g();
    EXPECT_EQ(g.song.tempoBase[8], 120);
    EXPECT_EQ(g.song.tempoBase[1], 199);
    EXPECT_EQ(g.song.tempoBase[30], 25);
    EXPECT_EQ(g.song.tempoInterval[1], 22);
    EXPECT_EQ(g.song.tempoInterval[30], 80);
    EXPECT_EQ(g.song.noteDur[-1], 16);
    EXPECT_EQ(g.song.altTuning[1], -2);
    EXPECT_EQ(g.song.durSymbol[14], 5);
    EXPECT_EQ(g.ui.form.at.left, 400);
    EXPECT_FALSE(g.ui.scrollpanel.visible);
    EXPECT_EQ(g.ui.lblswapper[5].color, kColorActive);
    // Keyboard tables: C of octave 1 and C# of octave 0.
    EXPECT_EQ(g.app.keyX[13], 99);
    EXPECT_EQ(g.app.keyKind[2], -5);
    EXPECT_EQ(g.app.keyKind[13], 11);
}

TEST(Startup, CommandLineFolderIsDataFolder) {
    test::Rig rig;
    ASSERT_TRUE(startup(rig.g(), {test::dataFolder(), "/tmp/songs", ""}, rig.lock));
    EXPECT_EQ(rig.g().app.dataFolder, "/tmp/songs/");
    EXPECT_EQ(rig.g().app.appFolder, test::dataFolder());
    EXPECT_TRUE(rig.g().gtimer.enabled);
    EXPECT_EQ(rig.g().gtimer.interval, 3000);
}

TEST(Panels, LayoutFollowsPageHeightAndMode) {
    test::Rig rig;
    rig.defaults();
    auto& g = rig.g();
    layoutPanels(g, 3000);
    EXPECT_EQ(g.app.windowHeight, 6800);
    EXPECT_EQ(g.ui.keyboard.at.top, 5920);
    EXPECT_EQ(g.ui.pnlsonginfo.at.top, 6900);
    EXPECT_EQ(g.ui.pointer.at.top, 2850);
    EXPECT_FALSE(g.ui.piccapo.visible);

    g.app.appMode = kModeLesson;
    g.song.capo = 2;
    layoutPanels(g, 3000);
    EXPECT_EQ(g.app.windowHeight, 7680);
    EXPECT_EQ(g.ui.pnllesson.at.top, 5320);
    EXPECT_TRUE(g.ui.piccapo.visible);
    EXPECT_EQ(g.ui.piccapo.at.left, 84 + 2 - 12);
}

TEST(Startup, ResizeSnapsBack) {
    test::Rig rig;
    rig.defaults();
    auto& g = rig.g();
    layoutPanels(g, 3000);
    g.ui.form.at.width = 5000;
    g.ui.form.at.height = 100;
    onResize(g);
    EXPECT_EQ(g.ui.form.at.width, kWindowWidthTwips);
    EXPECT_EQ(g.ui.form.at.height, 6800);
}

}  // namespace
}  // namespace lutavo
