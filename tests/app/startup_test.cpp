#include <gtest/gtest.h>

#include "app/panels.h"
#include "app/startup.h"
#include "base/numbers.h"
#include "fakes/test_rig.h"

namespace lutavo {
namespace {

TEST(Numbers, RoundHalfEvenSixteenBitClampAndNumberPrefix) {
    const std::pair<double, int> rounded[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}};
    for (const auto& [x, n] : rounded)
        EXPECT_EQ(roundHalfEven(x), n) << x;
    EXPECT_EQ(toInt16(40000), 32767);
    EXPECT_EQ(toInt16(-40000), -32768);
    const std::pair<const char*, int> prefixes[] = {
        {" 12abc", 12}, {"-7.5", -8}, {"abc", 0}, {"1 2", 12}, {"99999999999", 32767}};
    for (const auto& [text, n] : prefixes)
        EXPECT_EQ(numberPrefix(text), n) << text;
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

TEST(Startup, CommandLineFolderIsDataFolder) {
    test::Rig rig;
    ASSERT_TRUE(startup(rig.g(), {test::dataFolder(), "/tmp/songs", ""}, rig.lock));
    EXPECT_EQ(rig.g().app.dataFolder, "/tmp/songs/");
    EXPECT_EQ(rig.g().app.appFolder, test::dataFolder());
    EXPECT_TRUE(rig.g().gtimer.enabled);
    EXPECT_EQ(rig.g().gtimer.interval, 3000);
}

TEST(Panels, LayoutFollowsPageHeightAndModeAndResizeSnapsBack) {
    test::Rig rig;
    rig.defaults();
    auto& g = rig.g();
    layoutPanels(g, 3000);
    EXPECT_EQ(g.app.windowHeight, 6800);
    EXPECT_EQ(g.ui.keyboard.at.top, 5920);
    EXPECT_EQ(g.ui.pnlsonginfo.at.top, 6900);
    EXPECT_EQ(g.ui.pointer.at.top, 2850);
    EXPECT_FALSE(g.ui.piccapo.visible);
    g.ui.form.at.width = 5000;
    g.ui.form.at.height = 100;
    onResize(g);
    EXPECT_EQ(g.ui.form.at.width, kWindowWidthTwips);
    EXPECT_EQ(g.ui.form.at.height, 6800);

    g.app.appMode = kModeLesson;
    g.song.capo = 2;
    layoutPanels(g, 3000);
    EXPECT_EQ(g.app.windowHeight, 7680);
    EXPECT_EQ(g.ui.pnllesson.at.top, 5320);
    EXPECT_TRUE(g.ui.piccapo.visible);
    EXPECT_EQ(g.ui.piccapo.at.left, 84 + 2 - 12);
}

}  // namespace
}  // namespace lutavo
