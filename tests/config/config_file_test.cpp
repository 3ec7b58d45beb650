// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "config/config_defaults.h"
#include "config/zoom_levels.h"
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
    // Reads the program folder's file made of lines separated by '|'.
    void read(std::string text) {
        for (std::size_t at; (at = text.find('|')) != std::string::npos;)
            text.replace(at, 1, "\r\n");
        dir.write("app/ltmidi32.cfg", text.empty() ? "" : text + "\r\n");
        readconfig(g());
    }
    // What differs from the start-up values, in the file's words (sound keys end in the sound's
    // number), then the lead-in slot if moved, then what was said.
    std::string changes() {
        const ConfigState fresh, &c = g().config;
        std::string out;
        const auto add = [&](const std::string& key, int now, int was) {
            if (now != was) out += key + "=" + std::to_string(now) + " ";
        };
        add("prefmidi", c.preferredSound, fresh.preferredSound);
        add("read", c.prefSoundRead, fresh.prefSoundRead);
        add("playwav", c.playIntroClips, fresh.playIntroClips);
        add("shownotes", c.showFretNoteNames, fresh.showFretNoteNames);
        add("playdelay", c.defaultLeadIn, fresh.defaultLeadIn);
        add("adjtiming", c.adjustTiming, fresh.adjustTiming);
        add("lefty", c.leftHanded, fresh.leftHanded);
        add("zoom", c.zoomPercent, fresh.zoomPercent);
        add("inputlatency", c.inputLatencyMs, fresh.inputLatencyMs);
        if (!c.inputDevice.empty()) out += "input=" + c.inputDevice + "(" + rig.input.chosen + ") ";
        for (int i = 0; i < kSoundCount; ++i) {
            const std::string n = std::to_string(i);
            add("channel" + n, c.soundChannel[i], fresh.soundChannel[i]);
            add("patch" + n, c.soundPatch[i], fresh.soundPatch[i]);
            add("dev" + n, c.soundDevice[i], fresh.soundDevice[i]);
            add("volume" + n, c.soundVolume[i], fresh.soundVolume[i]);
            add("octave" + n, c.soundOctave[i], fresh.soundOctave[i]);
        }
        add("slot", g().playback.swapperPos, 9);  // no lead-in: the last of nine slots
        for (const auto& m : rig.dialogs.messages)
            out += m.caption + ": " + m.text + " ";
        for (std::size_t at; (at = out.find(dir.path())) != std::string::npos;)
            out.erase(at, dir.path().size());
        std::replace(out.begin(), out.end(), '\n', '|');
        return out;
    }
    test::Rig rig;
    test::TempDir dir;
};

TEST(ConfigFile, ReadsWhatTheFileSaysIntoRange) {
    const std::string kCorrected =
        "Lutavo: Some settings in app/ltmidi32.cfg are outside what the program can use and "
        "were brought into range:|";
    const std::string kSaveToKeep = "|Save in the setup window to keep the corrected values. ";
    const std::pair<const char*, std::string> cases[] = {
        {"lutavo|prefmidi=2", "prefmidi=2 read=2 "},
        // Sections direct the sound keys; before the first header they are sound 0's; the last
        // of two wins.
        {"lutavo|volume=4|[sound3]|volume=7|[sound1]|patch=40|patch=41",
         "volume0=4 patch1=41 volume3=7 "},
        // Flags and numbers as the file spells them: halves round to even, items end at a comma.
        {"lutavo|playwav=yes|shownotes=no|lefty=1|[sound0]|dev=|channel=3.5|patch=12abc|junk "
         "line|PATCH=99|patch =98|volume=2,octave=1",
         "playwav=0 lefty=1 channel0=4 patch0=12 volume0=2 octave0=1 "},
        {"lutavo|playwav=1|shownotes=0|lefty=true|zoom=200", "shownotes=0 zoom=200 "},
        // A header naming no sound skips its keys; its digit is the seventh character alone.
        {"lutavo|[sound7]|volume=3|patch=5|lefty=1|[sound9]|channel=9|[sound1]|volume=4",
         "volume1=4 "},
        {"lutavo|[sound12]|volume=6|[snd]|volume=5", "volume0=5 volume1=6 "},
        // Values outside what the program uses are brought into range, and the user is told.
        {"lutavo|prefmidi=9|playdelay=12|adjtiming=0|[sound3]|channel=0|patch=300|dev=-5|"
         "volume=99|octave=-2|[sound2]|channel=40|volume=0|octave=9|patch=-1",
         "prefmidi=3 read=3 playdelay=8 adjtiming=1 channel2=16 patch2=0 volume2=1 octave2=6 "
         "patch3=127 octave3=0 slot=1 " +
             kCorrected +
             "prefmidi=9 is read as 3|playdelay=12 is read as 8|adjtiming=0 is read as 1|"
             "channel=0 is read as 1 for sound 3|patch=300 is read as 127 for sound 3|dev=-5 is "
             "read as 0 for sound 3|volume=99 is read as 10 for sound 3|octave=-2 is read as 0 "
             "for sound 3|channel=40 is read as 16 for sound 2|volume=0 is read as 1 for sound "
             "2|octave=9 is read as 6 for sound 2|patch=-1 is read as 0 for sound 2" +
             kSaveToKeep},
        {"lutavo|prefmidi=-1|playdelay=-3|adjtiming=99999|zoom=170",
         "adjtiming=32767 zoom=150 " + kCorrected +
             "prefmidi=-1 is read as 0|playdelay=-3 is read as 0|zoom=170 is read as 150" +
             kSaveToKeep},
        // The input is chosen as the file is read; its latency ends at a second.
        {"lutavo|input=alsa_input.usb-mic|inputlatency=1000",
         "inputlatency=1000 input=alsa_input.usb-mic(alsa_input.usb-mic) "},
        {"lutavo|inputlatency=1001|input=a\"b",
         "inputlatency=1000 " + kCorrected +
             "inputlatency=1001 is read as 1000|input= does not name an input: the default is "
             "used" +
             kSaveToKeep},
        // A wrong first line is reported and changes nothing.
        {"ltmidi|prefmidi=2|[sound0]|volume=3", "Lutavo: Invalid file|app/ltmidi32.cfg "},
        {"", "Lutavo: Invalid file|app/ltmidi32.cfg "},
    };
    for (const auto& [file, changes] : cases) {
        ConfigRig r;
        r.read(file);
        EXPECT_EQ(r.changes(), changes) << file;
    }
}

TEST(ConfigFile, ShippedFileIsWhatSaveWritesForTheStartupValues) {
    test::Rig rig;
    rig.defaults();
    EXPECT_EQ(test::readFile(test::dataFolder() + "ltmidi32.cfg"), configText(rig.g().config));
}

TEST(ConfigFile, SaveThenReadGivesBackEveryValueAdjustTimingIncluded) {
    ConfigRig r;
    auto& c = r.g().config;
    c.preferredSound = c.prefSoundRead = 3;
    c.playIntroClips = c.showFretNoteNames = 0;
    c.defaultLeadIn = 4;
    c.adjustTiming = 2;
    c.leftHanded = 1;
    c.zoomPercent = 300;
    for (int i = 0; i < kSoundCount; ++i) {
        c.soundChannel[i] = static_cast<i16>(2 + i);
        c.soundPatch[i] = static_cast<i16>(100 + i);
        c.soundDevice[i] = static_cast<i16>(i);
        c.soundVolume[i] = static_cast<i16>(5 + i);
        c.soundOctave[i] = static_cast<i16>(i);
    }
    const std::string set = r.changes();
    ASSERT_TRUE(writeconfig(r.g()));
    EXPECT_NE(test::readFile(r.g().app.configFile).find("adjtiming=2\r\n"), std::string::npos);
    setConfigDefaults(c);
    readconfig(r.g());
    EXPECT_EQ(r.changes(), set + "slot=5 ");  // adjust timing not doubled on the way
    // Saving what was read replaces the file with the same text.
    ASSERT_TRUE(writeconfig(r.g()));
    EXPECT_EQ(test::readFile(r.g().app.configFile), configText(r.g().config));
}

TEST(ZoomLevels, StepsHoldAtTheEndsAndOddValuesTakeTheNearestStep) {
    const struct {
        int percent, steps, after, fineScale;
    } cases[] = {{100, 1, 150, 1},  {150, 1, 200, 2},  {200, 1, 300, 2}, {300, 1, 300, 4},
                 {100, -1, 100, 1}, {300, -2, 150, 4}, {250, 0, 200, 4}, {0, 0, 100, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(zoomLevelAfter(c.percent, c.steps), c.after) << c.percent << " " << c.steps;
        EXPECT_EQ(fineScaleFor(c.percent), c.fineScale) << c.percent;
    }
}

// The window of 9865 x 6800 twips is 986 x 680 pixels at 150% and 1315 x 906 at 200%.
TEST(ZoomLevels, TheLargestStepWhoseWindowFitsTheArea) {
    const std::array<int, 3> cases[] = {{1315, 906, 200}, {1314, 906, 150}, {1315, 905, 150},
                                        {986, 680, 150},  {985, 680, 100},  {0, 0, 300}};
    for (const auto& [width, height, fits] : cases)
        EXPECT_EQ(fittingZoomLevel(300, 9865, 6800, width, height), fits) << width << "x" << height;
}

TEST(ConfigFile, ZoomIsKeptAloneWithTheFilesOwnValues) {
    ConfigRig r;
    r.read("lutavo|prefmidi=2");
    r.g().config.preferredSound = 3;  // chosen with OK, not saved
    r.g().config.zoomPercent = 200;
    ASSERT_TRUE(saveZoomSetting(r.g()));
    setConfigDefaults(r.g().config);
    readconfig(r.g());
    EXPECT_EQ(r.changes(), "prefmidi=2 read=2 zoom=200 ");
}

TEST(ConfigFile, NoFileAnywhereKeepsStartupValuesAndSaysSoOnce) {
    ConfigRig r;
    readconfig(r.g());
    readconfig(r.g());
    EXPECT_EQ(r.rig.dialogs.messages.size(), 1u);
    EXPECT_TRUE(r.changes().starts_with("Lutavo: ")) << r.changes();
    EXPECT_NE(r.changes().find("ltmidi32.cfg"), std::string::npos);
}

// The user's file is read before the program's; a folder, a pipe or a link to nothing in its
// place is said once, and the program's file is read.
TEST(ConfigFile, UserFileIsPreferredAndWhatIsNoFileIsSaidOnce) {
    const char* said[] = {"", "is a folder", "is not a regular file",
                          "is a link to a file that is not there"};
    for (int kind = 0; kind < 4; ++kind) {
        ConfigRig r;
        const std::string user = r.g().app.configFile;
        std::filesystem::create_directories(r.dir.path() + "user/lutavo");
        if (kind == 0) r.dir.write("user/lutavo/ltmidi32.cfg", "lutavo\r\nprefmidi=2\r\n");
        if (kind == 1) std::filesystem::create_directory(user);
        if (kind == 2) ::mkfifo(user.c_str(), 0600);
        if (kind == 3) std::filesystem::create_symlink(user + ".gone", user);
        r.read("lutavo|prefmidi=1");
        readconfig(r.g());
        EXPECT_EQ(r.changes(), kind == 0
                                   ? "prefmidi=2 read=2 "
                                   : "prefmidi=1 read=1 Lutavo: The file user/lutavo/"
                                     "ltmidi32.cfg " +
                                         std::string(said[kind]) + ". Lutavo goes on without it. ");
    }
}

TEST(ConfigFile, SaveThatCannotWriteSaysSoAndKeepsTheOldFile) {
    ConfigRig r;
    // A file stands where the folder should be.
    r.dir.write("blocked", "x");
    r.g().app.configFile = r.dir.path() + "blocked/lutavo/ltmidi32.cfg";
    EXPECT_FALSE(writeconfig(r.g()));
    ASSERT_EQ(r.rig.dialogs.messages.size(), 1u);
    EXPECT_NE(r.rig.dialogs.messages[0].text.find("could not be saved"), std::string::npos);
    r.g().app.configFile = "";
    EXPECT_FALSE(writeconfig(r.g()));
    EXPECT_EQ(r.rig.dialogs.messages.size(), 2u);
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
