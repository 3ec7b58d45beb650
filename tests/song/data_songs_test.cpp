// The program's own songs and the sample songs load without a word of complaint.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/data_files.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class DataSongs : public SongTest {
  protected:
    // Loads a song and checks that every bar of a song with a time signature is full.
    void expectWholeBars() {
        const auto& s = song();
        ASSERT_GT(s.timeSig, 0);
        int ticks = 0;
        for (int n = 1; n <= s.noteCount; ++n) {
            if (s.noteDur[n] >= 90) continue;
            ticks += s.noteDur[n];
            if (ticks == s.barTicks[s.timeSig]) ticks = 0;
            ASSERT_LT(ticks, s.barTicks[s.timeSig]) << "note " << n;
        }
        EXPECT_EQ(ticks, 0);
    }
};

TEST_F(DataSongs, IntroIsAWelcomeOfThreeLines) {
    loadsong(g(), g().app.appFolder + files::kIntroSong);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(g().ui.pgScroll.max, 3);
    EXPECT_TRUE(g().ui.pointer.visible);
    EXPECT_EQ(g().ui.lbllexit.caption, "EXIT");
    EXPECT_GE(song().noteCount, 40);
    expectWholeBars();
    for (int n = 1; n <= song().noteCount; ++n) {
        for (int s = 1; s <= 6; ++s)
            EXPECT_LE(song().noteFret(n, s), 4 + 24) << n;
    }
}

TEST_F(DataSongs, TuningPlaysEachStringThenAll) {
    loadsong(g(), g().app.appFolder + files::kTuningSong);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    expectWholeBars();
    int struck = 0;
    for (int n = 1; n <= song().noteCount; ++n) {
        int open = 0;
        for (int s = 1; s <= 6; ++s)
            open += song().noteFret(n, s) == 0 ? 1 : 0;
        if (open == 0) continue;
        ++struck;
        if (struck <= 6) {
            EXPECT_EQ(open, 1) << n;
            EXPECT_EQ(song().noteFret(n, struck), 0) << n;  // low to high
        } else {
            EXPECT_EQ(open, 6) << n;
        }
    }
    EXPECT_EQ(struck, 7);
}

TEST_F(DataSongs, NewSongIsOneEmptyNote) {
    loadsong(g(), g().app.appFolder + files::kNewSong);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    ASSERT_EQ(song().noteCount, 1);
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(song().noteFret(1, s), -1);
    EXPECT_TRUE(g().ui.lblsong.caption.ends_with("NEWSONG.SNG"));
}

TEST_F(DataSongs, ProgramSongsAreWrittenAsTheProgramWrites) {
    for (const char* name : {files::kIntroSong, files::kTuningSong, files::kNewSong}) {
        const std::string text = readFile(g().app.appFolder + name);
        EXPECT_EQ(text.substr(0, 9), "lutavo3\r\n") << name;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n') {
                EXPECT_EQ(text[i - 1], '\r') << name;
            }
        }
    }
}

TEST_F(DataSongs, SampleSongsLoadCleanly) {
    const std::string folder = g().app.appFolder + "songs";
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no sample songs";
    int loaded = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        loadsong(g(), entry.path().string());
        for (const auto& m : rig.dialogs.messages)
            ADD_FAILURE() << entry.path() << ": " << m.text;
        rig.dialogs.messages.clear();
        EXPECT_GE(song().noteCount, 2) << entry.path();
        ++loaded;
    }
    EXPECT_GT(loaded, 0);
}

}  // namespace
}  // namespace lutavo::test
