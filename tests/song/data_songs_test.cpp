// The program's own songs and the sample songs load without a word of complaint, in whole bars.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "core/data_files.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class DataSongs : public SongTest {
  protected:
    // Loads a song, expects no message and bars that add up, counted in thirds of a tick so that
    // a triplet of 5-tick notes fills 16 ticks; notes what the song shows of the program.
    void loadWholeBars(const std::string& path) {
        SCOPED_TRACE(path);
        rig.dialogs.messages.clear();
        loadsong(g(), path);
        const auto& s = song();
        EXPECT_TRUE(rig.dialogs.messages.empty());
        ASSERT_GE(s.timeSig, 1);
        ASSERT_LE(s.timeSig, 5);
        const auto note = [&](bool shown, const std::string& feature) {
            if (shown) seen.insert(feature);
        };
        note(true, "timesig " + std::to_string(s.timeSig));
        note(s.capo > 0, "capo");
        note(s.altTuning[1] == -2, "dropped D");
        note(s.songKey % 2 == 1 && s.songKey > 1, "sharps");
        note(s.songKey % 2 == 0 && s.songKey > 0, "flats");
        const int bar = 3 * s.barTicks[s.timeSig];
        int inBar = 0;
        for (int n = 1; n <= s.noteCount; ++n) {
            const int d = s.noteDur[n];
            if (d == kEndOfPage) {
                EXPECT_EQ(inBar, 0) << "page ends inside a bar at note " << n;
                continue;
            }
            ASSERT_LT(d, 90) << n;
            note(d == 5 || d == 11, "triplet");
            inBar += d == 5 ? 16 : d == 11 ? 32 : 3 * d;
            for (int str = 1; str <= 6; ++str) {
                const int fret = s.noteFret(n, str);
                EXPECT_TRUE(fret >= -4 && fret != -2 && fret <= 47) << n;
                note(fret == kBend, "bend");
                note(fret == kMuted, "muted");
                note(fret >= kHeldBase && inBar == 3 * d, "tie over a bar line");
            }
            ASSERT_LE(inBar, bar) << "note " << n << " crosses a bar line";
            if (inBar == bar) inBar = 0;
        }
        EXPECT_EQ(inBar, 0) << "the last bar is short";
    }
    std::set<std::string> seen;
};

TEST_F(DataSongs, IntroIsAWelcomeOfThreeLines) {
    loadWholeBars(g().app.appFolder + files::kIntroSong);
    EXPECT_EQ(g().ui.pgScroll.max, 3);
    EXPECT_TRUE(g().ui.pointer.visible);
    EXPECT_EQ(g().ui.lbllexit.caption, "EXIT");
    EXPECT_GE(song().noteCount, 40);
    for (int n = 1; n <= song().noteCount; ++n) {
        for (int s = 1; s <= 6; ++s)
            EXPECT_LE(song().noteFret(n, s), 4 + 24) << n;
    }
}

TEST_F(DataSongs, TuningPlaysEachStringLowToHighThenAll) {
    loadWholeBars(g().app.appFolder + files::kTuningSong);
    std::string open;  // the open strings of each note that strikes any
    for (int n = 1; n <= song().noteCount; ++n) {
        std::string struck;
        for (int s = 1; s <= 6; ++s)
            struck += song().noteFret(n, s) == 0 ? std::to_string(s) : "";
        open += struck.empty() ? "" : struck + " ";
    }
    EXPECT_EQ(open, "1 2 3 4 5 6 123456 ");
}

// The new song is one empty note; the program's songs are in the current format, CR LF lines.
TEST_F(DataSongs, NewSongIsOneEmptyNoteAndProgramSongsAreCurrent) {
    loadsong(g(), g().app.appFolder + files::kNewSong);
    ASSERT_EQ(song().noteCount, 1);
    EXPECT_EQ(frets(1), kSilentFrets);
    EXPECT_TRUE(g().ui.lblsong.caption.ends_with("NEWSONG.SNG"));
    for (const char* name : {files::kIntroSong, files::kTuningSong, files::kNewSong}) {
        const std::string text = readFile(g().app.appFolder + name);
        EXPECT_TRUE(text.starts_with("lutavo3\r\n")) << name;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
                  std::count(text.begin(), text.end(), '\r'))
            << name;
    }
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

// Together the sample songs show every time signature and what the program can notate.
TEST_F(DataSongs, SampleSongsLoadWithWholeBarsAndShowEveryFeature) {
    int loaded = 0;
    for (const auto& e : std::filesystem::directory_iterator(g().app.appFolder + "songs")) {
        loadWholeBars(e.path().string());
        EXPECT_FALSE(song().songTitle.empty());
        EXPECT_FALSE(song().songComposer.empty());
        EXPECT_GE(g().ui.pgScroll.max, 4);
        ++loaded;
    }
    EXPECT_GE(loaded, 6);
    EXPECT_EQ(seen, (std::set<std::string>{"bend", "capo", "dropped D", "flats", "muted", "sharps",
                                           "tie over a bar line", "timesig 1", "timesig 2",
                                           "timesig 3", "timesig 4", "timesig 5", "triplet"}));
}

}  // namespace
}  // namespace lutavo::test
