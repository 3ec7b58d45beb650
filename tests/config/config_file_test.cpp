#include "config/config_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "config/config_defaults.h"
#include "core/guitar.h"
#include "fakes/test_rig.h"

namespace lutavo {
namespace {

// Sets an environment variable (nullptr: unsets it) and puts the old value back afterwards.
struct EnvVar {
    EnvVar(const char* variable, const char* value) : name(variable) {
        if (const char* was = std::getenv(variable)) old = was;
        set(value);
    }
    ~EnvVar() { set(old ? old->c_str() : nullptr); }
    void set(const char* value) { value ? setenv(name.c_str(), value, 1) : unsetenv(name.c_str()); }
    std::string name;
    std::optional<std::string> old;
};

// A Guitar at its start-up values whose program folder and user file live in a temp folder.
struct ConfigRig {
    ConfigRig() {
        rig.defaults();
        g().app.appFolder = dir.path() + "app/";
        g().app.configFile = dir.path() + "user/lutavo/ltmidi32.cfg";
        std::filesystem::create_directories(g().app.appFolder);
    }
    Guitar& g() { return rig.g(); }
    void programFile(const std::string& text) { dir.write("app/ltmidi32.cfg", text); }
    test::Rig rig;
    test::TempDir dir;
};

// Lines joined with CR LF.
std::string lines(const std::vector<const char*>& items) {
    std::string out;
    for (const char* s : items)
        out += std::string(s) + "\r\n";
    return out;
}

using Sound = std::array<int, 5>;  // channel, patch, device, volume, octave
Sound sound(const ConfigState& c, int i) {
    return {c.soundChannel[i], c.soundPatch[i], c.soundDevice[i], c.soundVolume[i],
            c.soundOctave[i]};
}
// prefmidi, prefmidi as read, playwav, shownotes, lead-in, adjtiming, lefty, lead-in slot
using Settings = std::array<int, 8>;
Settings settings(const Guitar& g) {
    const ConfigState& c = g.config;
    return {c.preferredSound, c.prefSoundRead, c.playIntroClips, c.showFretNoteNames,
            c.defaultLeadIn,  c.adjustTiming,  c.leftHanded,     g.playback.swapperPos};
}
const Settings kStartup = {0, 0, 1, 1, 0, 3, 0, 9};

struct ReadCase {
    std::vector<const char*> lines;
    Settings settings;
    std::map<int, Sound> sounds;  // the others keep their start-up values
    const char* message = nullptr;
};

TEST(ConfigFile, ReadsWhatTheFileSaysIntoRange) {
    const std::vector<ReadCase> cases = {
        {{"lutavo", "prefmidi=2"}, {2, 2, 1, 1, 0, 3, 0, 9}, {}},
        // Sections direct the sound keys; before the first header they are sound 0's; the last
        // of two wins.
        {{"lutavo", "volume=4", "[sound3]", "volume=7", "[sound1]", "patch=40", "patch=41"},
         kStartup,
         {{0, {1, 24, 0, 4, 3}}, {1, {1, 41, 0, 10, 3}}, {3, {1, 29, 0, 7, 3}}}},
        // Flags and numbers as the file spells them: halves round to even, items end at a comma.
        {{"lutavo", "playwav=yes", "shownotes=no", "lefty=1", "[sound0]", "dev=", "channel=3.5",
          "patch=12abc", "junk line", "PATCH=99", "patch =98", "volume=2,octave=1"},
         {0, 0, 0, 1, 0, 3, 1, 9},
         {{0, {4, 12, 0, 2, 1}}}},
        {{"lutavo", "playwav=1", "shownotes=0", "lefty=true"}, {0, 0, 1, 0, 0, 3, 0, 9}, {}},
        // A header naming no sound skips its keys; its digit is the seventh character alone.
        {{"lutavo", "[sound7]", "volume=3", "patch=5", "lefty=1", "[sound9]", "channel=9",
          "[sound1]", "volume=4"},
         kStartup,
         {{1, {1, 25, 0, 4, 3}}}},
        {{"lutavo", "[sound12]", "volume=6", "[snd]", "volume=5"},
         kStartup,
         {{0, {1, 24, 0, 5, 3}}, {1, {1, 25, 0, 6, 3}}}},
        // Values outside what the program uses are brought into range.
        {{"lutavo", "prefmidi=9", "playdelay=12", "adjtiming=0", "[sound3]", "channel=0",
          "patch=300", "dev=-5", "volume=99", "octave=-2", "[sound2]", "channel=40", "volume=0",
          "octave=9", "patch=-1"},
         {3, 3, 1, 1, 8, 1, 0, 1},
         {{2, {16, 0, 0, 1, 6}}, {3, {1, 127, 0, 10, 0}}}},
        {{"lutavo", "prefmidi=-1", "playdelay=-3", "adjtiming=99999"},
         {0, 0, 1, 1, 0, 32767, 0, 9},
         {}},
        {{"lutavo", "prefmidi=1", "playdelay=3", "[sound1]", "volume=6"},
         {1, 1, 1, 1, 3, 3, 0, 6},
         {{1, {1, 25, 0, 6, 3}}}},
        // A wrong first line is reported and changes nothing.
        {{"ltmidi", "prefmidi=2", "[sound0]", "volume=3"}, kStartup, {}, "Invalid file"},
        {{}, kStartup, {}, "Invalid file"},
    };
    const ConfigState fresh;
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(lines(c.lines));
        ConfigRig r;
        r.g().ui.voltxt.caption = "";
        for (int i = 2; i <= 5; ++i)
            r.g().ui.outbtn[i].visible = true;
        r.programFile(lines(c.lines));
        readconfig(r.g());
        EXPECT_EQ(settings(r.g()), c.settings);
        for (int i = 0; i < kSoundCount; ++i) {
            const auto it = c.sounds.find(i);
            EXPECT_EQ(sound(r.g().config, i), it != c.sounds.end() ? it->second : sound(fresh, i))
                << "sound " << i;
        }
        ASSERT_EQ(r.rig.dialogs.messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(r.rig.dialogs.messages[0].text, c.message);
            EXPECT_EQ(r.rig.dialogs.messages[0].caption, "Lutavo");
        }
        // The window shows the values in force: the preferred sound's volume and button.
        const int pref = r.g().config.preferredSound;
        EXPECT_EQ(r.g().ui.voltxt.caption, std::to_string(r.g().config.soundVolume[pref]));
        for (int i = 2; i <= 5; ++i)
            EXPECT_EQ(r.g().ui.outbtn[i].visible, i == 2 + pref) << i;
    }
}

TEST(ConfigFile, ShippedFileIsWhatSaveWritesForTheStartupValues) {
    test::Rig rig;
    rig.defaults();
    const std::string shipped = test::readFile(test::dataFolder() + "ltmidi32.cfg");
    EXPECT_EQ(shipped, configText(rig.g()));
    // Four guitar programs on channel 1, sent as the 0-based program numbers they are.
    EXPECT_NE(
        shipped.find("[sound0]\r\noctave=3\r\nchannel=1\r\npatch=24\r\ndev=0\r\nvolume=10\r\n"),
        std::string::npos);
    EXPECT_NE(shipped.find("[sound3]\r\noctave=3\r\nchannel=1\r\npatch=29\r\n"), std::string::npos);
}

TEST(ConfigFile, SaveThenReadGivesBackEveryValueAdjustTimingIncluded) {
    ConfigRig r;
    auto& c = r.g().config;
    c.preferredSound = 3;
    c.playIntroClips = 0;
    c.showFretNoteNames = 0;
    c.defaultLeadIn = 4;
    c.adjustTiming = 3;
    c.leftHanded = 1;
    for (int i = 0; i < kSoundCount; ++i) {
        c.soundChannel[i] = static_cast<i16>(2 + i);
        c.soundPatch[i] = static_cast<i16>(100 + i);
        c.soundDevice[i] = static_cast<i16>(i);
        c.soundVolume[i] = static_cast<i16>(5 + i);
        c.soundOctave[i] = static_cast<i16>(i);
    }
    const ConfigState saved = c;
    ASSERT_TRUE(writeconfig(r.g()));
    EXPECT_NE(test::readFile(r.g().app.configFile).find("adjtiming=3\r\n"), std::string::npos);

    setConfigDefaults(c);
    readconfig(r.g());
    // Adjust timing is not doubled on the way.
    EXPECT_EQ(settings(r.g()), (Settings{3, 3, 0, 0, 4, 3, 1, 5}));
    for (int i = 0; i < kSoundCount; ++i)
        EXPECT_EQ(sound(c, i), sound(saved, i)) << i;
    // Saving what was read writes the same file again.
    EXPECT_EQ(test::readFile(r.g().app.configFile), configText(r.g()));
    EXPECT_TRUE(r.rig.dialogs.messages.empty());
}

// Scrambled files: whatever a file holds, every value stays where the program can use it.
TEST(ConfigFile, ScrambledFilesLeaveEveryValueUsable) {
    ConfigRig r;
    std::mt19937 random(20261206);
    const std::string pieces[] = {
        "lutavo",   "[sound", "]",    "prefmidi=", "playdelay=", "adjtiming=",
        "channel=", "patch=", "dev=", "volume=",   "octave=",    "-",
        "99999",    "7",      "\r\n", ",",         "\"",         "=",
        "[",        "x",      "3",    ".5"};
    const auto within = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
    for (int round = 0; round < 200; ++round) {
        std::string text = round % 2 == 0 ? "lutavo\r\n" : "";
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % std::size(pieces)];
        r.programFile(text);
        readconfig(r.g());
        const auto& c = r.g().config;
        ASSERT_TRUE(within(c.preferredSound, 0, 3) && within(c.defaultLeadIn, 0, 8) &&
                    c.adjustTiming >= 1 && within(r.g().playback.swapperPos, 1, 9))
            << text;
        for (int i = 0; i < kSoundCount; ++i) {
            const Sound s = sound(c, i);
            ASSERT_TRUE(within(s[0], 1, 16) && within(s[1], 0, 127) && s[2] >= 0 &&
                        within(s[3], 1, 10) && within(s[4], 0, 6))
                << text;
        }
    }
}

TEST(ConfigFile, NoFileAnywhereKeepsStartupValuesAndSaysSoOnce) {
    ConfigRig r;
    readconfig(r.g());
    readconfig(r.g());
    ASSERT_EQ(r.rig.dialogs.messages.size(), 1u);
    EXPECT_NE(r.rig.dialogs.messages[0].text.find("ltmidi32.cfg"), std::string::npos);
    EXPECT_EQ(settings(r.g()), kStartup);
    const ConfigState fresh;
    for (int i = 0; i < kSoundCount; ++i)
        EXPECT_EQ(sound(r.g().config, i), sound(fresh, i)) << i;
    EXPECT_EQ(r.g().ui.voltxt.caption, "10");
}

TEST(ConfigFile, UserFileIsPreferredOverTheProgramsDefault) {
    ConfigRig r;
    r.programFile(lines({"lutavo", "prefmidi=1"}));
    EXPECT_EQ(configReadPath(r.g()), r.g().app.appFolder + "ltmidi32.cfg");
    readconfig(r.g());
    EXPECT_EQ(r.g().config.preferredSound, 1);

    std::filesystem::create_directories(r.dir.path() + "user/lutavo");
    r.dir.write("user/lutavo/ltmidi32.cfg", lines({"lutavo", "prefmidi=2"}));
    EXPECT_EQ(configReadPath(r.g()), r.g().app.configFile);
    readconfig(r.g());
    EXPECT_EQ(r.g().config.preferredSound, 2);
}

TEST(ConfigFile, SaveCreatesTheFolderAndReplacesTheOldFile) {
    ConfigRig r;
    const std::string path = r.g().app.configFile;
    ASSERT_FALSE(std::filesystem::exists(path));
    ASSERT_TRUE(writeconfig(r.g()));
    EXPECT_EQ(test::readFile(path), configText(r.g()));
    r.g().config.preferredSound = 2;
    ASSERT_TRUE(writeconfig(r.g()));
    EXPECT_NE(test::readFile(path).find("prefmidi=2\r\n"), std::string::npos);
    // Nothing but the file is left in its folder.
    const auto folder = std::filesystem::directory_iterator(r.dir.path() + "user/lutavo");
    EXPECT_EQ(std::distance(begin(folder), end(folder)), 1);
}

TEST(ConfigFile, SaveThatCannotWriteSaysSoAndKeepsTheOldFile) {
    ConfigRig r;
    // A file stands where the folder should be.
    r.dir.write("blocked", "x");
    r.g().app.configFile = r.dir.path() + "blocked/lutavo/ltmidi32.cfg";
    EXPECT_FALSE(writeconfig(r.g()));
    ASSERT_EQ(r.rig.dialogs.messages.size(), 1u);
    EXPECT_NE(r.rig.dialogs.messages[0].text.find("could not be saved"), std::string::npos);

    // A folder stands where the file should be: it is not replaced, and no temp file remains.
    std::filesystem::create_directories(r.dir.path() + "taken/ltmidi32.cfg/inside");
    r.g().app.configFile = r.dir.path() + "taken/ltmidi32.cfg";
    EXPECT_FALSE(writeconfig(r.g()));
    EXPECT_TRUE(std::filesystem::is_directory(r.dir.path() + "taken/ltmidi32.cfg/inside"));
    EXPECT_FALSE(std::filesystem::exists(r.dir.path() + "taken/ltmidi32.cfg.new"));

    r.g().app.configFile = "";
    EXPECT_FALSE(writeconfig(r.g()));
    EXPECT_EQ(r.rig.dialogs.messages.size(), 3u);
}

TEST(ConfigFile, UserPathFollowsXdgThenHome) {
    const std::array<const char*, 3> cases[] = {
        {"/tmp/xdg-test", "/home/someone", "/tmp/xdg-test/lutavo/ltmidi32.cfg"},
        {nullptr, "/home/someone", "/home/someone/.config/lutavo/ltmidi32.cfg"},
        {"relative/dir", "/home/someone", "/home/someone/.config/lutavo/ltmidi32.cfg"},
        {"", nullptr, ""},
    };
    for (const auto& [xdgValue, homeValue, expected] : cases) {
        EnvVar xdg("XDG_CONFIG_HOME", xdgValue);
        EnvVar home("HOME", homeValue);
        EXPECT_EQ(userConfigPath(), expected) << (xdgValue ? xdgValue : "(unset)");
    }
}

}  // namespace
}  // namespace lutavo
