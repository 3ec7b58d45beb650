#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "config/config_defaults.h"
#include "config/config_file.h"
#include "core/guitar.h"
#include "fakes/test_rig.h"

namespace lutavo {
namespace {

// Sets an environment variable for one test and puts the old value back afterwards.
class EnvVar {
  public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~EnvVar() {
        if (old_) {
            setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
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
    // Writes the program folder's file; lines joined with CR LF.
    void programFile(const std::string& text) { dir.write("app/ltmidi32.cfg", text); }
    void read(const std::string& text) {
        programFile(text);
        readconfig(g());
    }
    test::Rig rig;
    test::TempDir dir;
};

std::string lines(std::initializer_list<const char*> items) {
    std::string out;
    for (const char* s : items)
        out += std::string(s) + "\r\n";
    return out;
}

void expectStartupSounds(const ConfigState& c, int except = -1) {
    const ConfigState fresh;
    for (int i = 0; i < kSoundCount; ++i) {
        if (i == except) continue;
        SCOPED_TRACE("sound " + std::to_string(i));
        EXPECT_EQ(c.soundChannel[i], fresh.soundChannel[i]);
        EXPECT_EQ(c.soundPatch[i], fresh.soundPatch[i]);
        EXPECT_EQ(c.soundDevice[i], fresh.soundDevice[i]);
        EXPECT_EQ(c.soundVolume[i], fresh.soundVolume[i]);
        EXPECT_EQ(c.soundOctave[i], fresh.soundOctave[i]);
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

TEST(ConfigFile, WrittenLayoutHas31CrLfLinesInOrder) {
    ConfigRig r;
    auto& c = r.g().config;
    c.preferredSound = 2;
    c.adjustTiming = 7;
    c.soundOctave[1] = -1;
    const std::string text = configText(r.g());
    EXPECT_EQ(text.rfind("lutavo\r\nprefmidi=2\r\nplaywav=1\r\nshownotes=1\r\nplaydelay=0\r\n"
                         "adjtiming=7\r\nlefty=0\r\n[sound0]\r\n",
                         0),
              0u);
    EXPECT_NE(text.find("[sound1]\r\noctave=-1\r\n"), std::string::npos);
    int crlf = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        crlf += text.compare(i, 2, "\r\n") == 0;
    EXPECT_EQ(crlf, 31);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
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
    EXPECT_EQ(c.preferredSound, 3);
    EXPECT_EQ(c.prefSoundRead, 3);
    EXPECT_EQ(c.playIntroClips, 0);
    EXPECT_EQ(c.showFretNoteNames, 0);
    EXPECT_EQ(c.defaultLeadIn, 4);
    EXPECT_EQ(c.adjustTiming, 3);  // not doubled on the way
    EXPECT_EQ(c.leftHanded, 1);
    for (int i = 0; i < kSoundCount; ++i) {
        EXPECT_EQ(c.soundChannel[i], saved.soundChannel[i]);
        EXPECT_EQ(c.soundPatch[i], saved.soundPatch[i]);
        EXPECT_EQ(c.soundDevice[i], saved.soundDevice[i]);
        EXPECT_EQ(c.soundVolume[i], saved.soundVolume[i]);
        EXPECT_EQ(c.soundOctave[i], saved.soundOctave[i]);
    }
    // Saving what was read writes the same file again.
    EXPECT_EQ(test::readFile(r.g().app.configFile), configText(r.g()));
    EXPECT_TRUE(r.rig.dialogs.messages.empty());
}

TEST(ConfigFile, PrefmidiAloneSelectsTheSoundAndLeavesTheTables) {
    ConfigRig r;
    r.read(lines({"lutavo", "prefmidi=2"}));
    EXPECT_EQ(r.g().config.preferredSound, 2);
    EXPECT_EQ(r.g().config.prefSoundRead, 2);
    expectStartupSounds(r.g().config);
    EXPECT_EQ(r.g().config.adjustTiming, 3);
    EXPECT_EQ(r.g().config.showFretNoteNames, 1);
}

TEST(ConfigFile, SectionsDirectPerSoundKeys) {
    ConfigRig r;
    r.read(
        lines({"lutavo", "volume=4", "[sound3]", "volume=7", "[sound1]", "patch=40", "patch=41"}));
    auto& c = r.g().config;
    EXPECT_EQ(c.soundVolume[0], 4);  // before the first header: sound 0
    EXPECT_EQ(c.soundVolume[3], 7);
    EXPECT_EQ(c.soundVolume[1], 10);
    EXPECT_EQ(c.soundVolume[2], 10);
    EXPECT_EQ(c.soundPatch[1], 41);  // the last of two wins
    EXPECT_EQ(c.soundPatch[3], 29);
}

TEST(ConfigFile, FlagsAndNumbersReadAsTheFileSpellsThem) {
    ConfigRig r;
    r.read(lines({"lutavo", "playwav=yes", "shownotes=no", "lefty=1", "[sound0]",
                  "dev=", "channel=3.5", "patch=12abc", "junk line", "PATCH=99", "patch =98",
                  "volume=2,octave=1"}));
    auto& c = r.g().config;
    EXPECT_EQ(c.playIntroClips, 0);
    EXPECT_EQ(c.showFretNoteNames, 1);
    EXPECT_EQ(c.leftHanded, 1);
    EXPECT_EQ(c.soundDevice[0], 0);
    EXPECT_EQ(c.soundChannel[0], 4);  // halves round to even
    EXPECT_EQ(c.soundPatch[0], 12);
    EXPECT_EQ(c.soundVolume[0], 2);  // items end at a comma too
    EXPECT_EQ(c.soundOctave[0], 1);

    r.read(lines({"lutavo", "playwav=1", "shownotes=0", "lefty=true"}));
    EXPECT_EQ(c.playIntroClips, 1);
    EXPECT_EQ(c.showFretNoteNames, 0);
    EXPECT_EQ(c.leftHanded, 0);
}

TEST(ConfigFile, WrongFirstLineIsReportedAndChangesNothing) {
    ConfigRig r;
    r.g().ui.voltxt.caption = "";
    r.read(lines({"ltmidi", "prefmidi=2", "[sound0]", "volume=3"}));
    ASSERT_EQ(r.rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(r.rig.dialogs.messages[0].text, "Invalid file");
    EXPECT_EQ(r.rig.dialogs.messages[0].caption, "Lutavo");
    EXPECT_EQ(r.g().config.preferredSound, 0);
    expectStartupSounds(r.g().config);
    EXPECT_EQ(r.g().ui.voltxt.caption, "10");  // the window still shows the values in force

    r.rig.dialogs.messages.clear();
    r.read("");
    ASSERT_EQ(r.rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(r.rig.dialogs.messages[0].text, "Invalid file");
}

TEST(ConfigFile, HeaderNamingNoSoundSkipsItsKeys) {
    ConfigRig r;
    r.read(lines({"lutavo", "[sound7]", "volume=3", "patch=5", "lefty=1", "[sound9]", "channel=9",
                  "[sound1]", "volume=4"}));
    auto& c = r.g().config;
    expectStartupSounds(c, 1);
    EXPECT_EQ(c.soundVolume[1], 4);
    EXPECT_EQ(c.leftHanded, 0);
    EXPECT_TRUE(r.rig.dialogs.messages.empty());
}

TEST(ConfigFile, HeaderDigitIsTheSeventhCharacterAlone) {
    ConfigRig r;
    r.read(lines({"lutavo", "[sound12]", "volume=6", "[snd]", "volume=5"}));
    EXPECT_EQ(r.g().config.soundVolume[1], 6);
    EXPECT_EQ(r.g().config.soundVolume[0], 5);  // no digit reads as sound 0
}

TEST(ConfigFile, ValuesOutsideWhatTheProgramUsesAreBroughtIntoRange) {
    ConfigRig r;
    r.read(lines({"lutavo", "prefmidi=9", "playdelay=12", "adjtiming=0", "[sound3]", "channel=0",
                  "patch=300", "dev=-5", "volume=99", "octave=-2", "[sound2]", "channel=40",
                  "volume=0", "octave=9", "patch=-1"}));
    auto& c = r.g().config;
    EXPECT_EQ(c.preferredSound, 3);
    EXPECT_EQ(c.prefSoundRead, 3);
    EXPECT_EQ(c.defaultLeadIn, 8);
    EXPECT_EQ(c.adjustTiming, 1);
    EXPECT_EQ(c.soundChannel[3], 1);
    EXPECT_EQ(c.soundPatch[3], 127);
    EXPECT_EQ(c.soundDevice[3], 0);
    EXPECT_EQ(c.soundVolume[3], 10);
    EXPECT_EQ(c.soundOctave[3], 0);
    EXPECT_EQ(c.soundChannel[2], 16);
    EXPECT_EQ(c.soundVolume[2], 1);
    EXPECT_EQ(c.soundOctave[2], 6);
    EXPECT_EQ(c.soundPatch[2], 0);
    EXPECT_EQ(r.g().playback.swapperPos, 1);

    r.read(lines({"lutavo", "prefmidi=-1", "playdelay=-3", "adjtiming=99999"}));
    EXPECT_EQ(c.preferredSound, 0);
    EXPECT_EQ(c.defaultLeadIn, 0);
    EXPECT_EQ(c.adjustTiming, 32767);
    EXPECT_EQ(r.g().playback.swapperPos, 9);
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
    for (int round = 0; round < 200; ++round) {
        std::string text = round % 2 == 0 ? "lutavo\r\n" : "";
        const int count = static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i)
            text += pieces[random() % std::size(pieces)];
        r.read(text);
        const auto& c = r.g().config;
        ASSERT_GE(c.preferredSound, 0);
        ASSERT_LE(c.preferredSound, 3);
        ASSERT_GE(c.defaultLeadIn, 0);
        ASSERT_LE(c.defaultLeadIn, 8);
        ASSERT_GE(c.adjustTiming, 1);
        for (int i = 0; i < kSoundCount; ++i) {
            ASSERT_GE(c.soundChannel[i], 1);
            ASSERT_LE(c.soundChannel[i], 16);
            ASSERT_GE(c.soundPatch[i], 0);
            ASSERT_LE(c.soundPatch[i], 127);
            ASSERT_GE(c.soundVolume[i], 1);
            ASSERT_LE(c.soundVolume[i], 10);
            ASSERT_GE(c.soundOctave[i], 0);
            ASSERT_LE(c.soundOctave[i], 6);
            ASSERT_GE(c.soundDevice[i], 0);
        }
        ASSERT_GE(r.g().playback.swapperPos, 1);
        ASSERT_LE(r.g().playback.swapperPos, 9);
    }
}

TEST(ConfigFile, ReadingShowsVolumeSoundButtonAndLeadIn) {
    ConfigRig r;
    for (int i = 2; i <= 5; ++i)
        r.g().ui.outbtn[i].visible = true;
    r.read(lines({"lutavo", "prefmidi=1", "playdelay=3", "[sound1]", "volume=6"}));
    EXPECT_EQ(r.g().ui.voltxt.caption, "6");
    EXPECT_FALSE(r.g().ui.outbtn[2].visible);
    EXPECT_TRUE(r.g().ui.outbtn[3].visible);
    EXPECT_FALSE(r.g().ui.outbtn[4].visible);
    EXPECT_FALSE(r.g().ui.outbtn[5].visible);
    EXPECT_EQ(r.g().playback.swapperPos, 6);
}

TEST(ConfigFile, NoFileAnywhereKeepsStartupValuesAndSaysSoOnce) {
    ConfigRig r;
    readconfig(r.g());
    readconfig(r.g());
    ASSERT_EQ(r.rig.dialogs.messages.size(), 1u);
    EXPECT_NE(r.rig.dialogs.messages[0].text.find("ltmidi32.cfg"), std::string::npos);
    expectStartupSounds(r.g().config);
    EXPECT_EQ(r.g().config.preferredSound, 0);
    EXPECT_EQ(r.g().ui.voltxt.caption, "10");
    EXPECT_EQ(r.g().playback.swapperPos, 9);
}

TEST(ConfigFile, UserFileIsPreferredOverTheProgramsDefault) {
    ConfigRig r;
    r.programFile(lines({"lutavo", "prefmidi=1"}));
    EXPECT_EQ(configReadPath(r.g()), r.g().app.appFolder + "ltmidi32.cfg");
    readconfig(r.g());
    EXPECT_EQ(r.g().config.preferredSound, 1);

    r.dir.write("user/lutavo/ltmidi32.cfg", "");  // folder
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
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(r.dir.path() + "user/lutavo")) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1);
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
    {
        EnvVar xdg("XDG_CONFIG_HOME", "/tmp/xdg-test");
        EnvVar home("HOME", "/home/someone");
        EXPECT_EQ(userConfigPath(), "/tmp/xdg-test/lutavo/ltmidi32.cfg");
    }
    {
        EnvVar xdg("XDG_CONFIG_HOME", nullptr);
        EnvVar home("HOME", "/home/someone");
        EXPECT_EQ(userConfigPath(), "/home/someone/.config/lutavo/ltmidi32.cfg");
    }
    {
        EnvVar xdg("XDG_CONFIG_HOME", "relative/dir");  // not to be used
        EnvVar home("HOME", "/home/someone");
        EXPECT_EQ(userConfigPath(), "/home/someone/.config/lutavo/ltmidi32.cfg");
    }
    {
        EnvVar xdg("XDG_CONFIG_HOME", "");
        EnvVar home("HOME", nullptr);
        EXPECT_EQ(userConfigPath(), "");
    }
}

TEST(ConfigFile, XdgFileIsReadAndWritten) {
    test::TempDir dir;
    EnvVar xdg("XDG_CONFIG_HOME", (dir.path() + "conf").c_str());
    ConfigRig r;
    r.g().app.configFile = userConfigPath();
    r.programFile(lines({"lutavo", "lefty=1"}));
    readconfig(r.g());
    EXPECT_EQ(r.g().config.leftHanded, 1);  // no user file yet: the program's default

    r.g().config.leftHanded = 0;
    ASSERT_TRUE(writeconfig(r.g()));
    EXPECT_TRUE(std::filesystem::exists(dir.path() + "conf/lutavo/ltmidi32.cfg"));
    r.g().config.leftHanded = 1;
    readconfig(r.g());
    EXPECT_EQ(r.g().config.leftHanded, 0);  // now the user's file
}

}  // namespace
}  // namespace lutavo
