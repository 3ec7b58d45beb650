// SPDX-License-Identifier: GPL-3.0-or-later
// Saving songs: the lines written, round trips through the reader, and safe replacement.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "base/safe_file.h"

#include "song_fixture.h"

namespace lutavo::test {
namespace {

// Lines separated by '|', each ended by CR LF.
std::string crlf(std::string lines) {
    std::string out;
    for (char c : lines + "|")
        out += c == '|' ? std::string("\r\n") : std::string(1, c);
    return out;
}

class SongWrite : public SongTest {
  protected:
    // Saves the song, loads what was saved and saves that again: both files are the same.
    std::string saveAndReload() {
        const std::string path = dir.path() + "SAVED.SNG";
        EXPECT_TRUE(savesong(g(), path));
        const std::string text = readFile(path);
        loadsong(g(), path);
        EXPECT_TRUE(rig.dialogs.messages.empty());
        EXPECT_TRUE(savesong(g(), dir.path() + "AGAIN.SNG"));
        EXPECT_EQ(readFile(dir.path() + "AGAIN.SNG"), text);
        return text;
    }
    std::string saved() {
        const std::string path = dir.path() + "OUT.SNG";
        EXPECT_TRUE(savesong(g(), path));
        return readFile(path);
    }
};

TEST_F(SongWrite, WritesTheHeaderInItsOrderAndLeavesOptionalLinesOut) {
    g().config.preferredSound = 0;
    load(songLines({"metro=off"}, {"16000000000000"}));
    EXPECT_EQ(saved(), crlf("lutavo3|title=|right=|left=|key=1|metroticks=16|timesig=0"
                            "|page=INTERNAL|style=0|alt=000000000000|tempo=8||16000000000000"));

    g().config.preferredSound = 1;
    load(songLines({"title=Greensleeves", "left=Standard", "right=Trad.", "key=2", "capo=3",
                    "metroticks=24", "timesig=5", "pointer=on", "vpointer=on", "metro=on",
                    "tempo=11", "alt=-20000000001", "lessonpic=lute.bmp"},
                   {"24030507-1-1-1", "08-2-2-2-1-1-1", "99", "32-1-1-1-1-1-1"}));
    EXPECT_EQ(saved(), crlf("lutavo3|title=Greensleeves|right=Trad.|left=Standard|key=2"
                            "|metroticks=24|timesig=5|page=INTERNAL|pointer=on|vpointer=on|style=1"
                            "|alt=-20000000001|metro=on|capo=3|lessonpic=lute.bmp|tempo=11|"
                            "|24030507-1-1-1|08-2-2-2-1-1-1|99|32-1-1-1-1-1-1"));
}

struct RoundTrip {
    std::vector<std::string> file;
    std::vector<std::string> written;  // parts of the saved file
};

TEST_F(SongWrite, RoundTripsWriteWhatWasRead) {
    const std::vector<RoundTrip> cases = {
        // A held open string is written as 24.
        {songLines({}, {"1600-1-1-1-1-1", "16-2-1-1-1-1-1"}), {"\r\n1624-1-1-1-1-1\r\n"}},
        // The old format is saved in the current one, its short lengths doubled.
        {{"lutavo", "metroticks=8", "", "08000000000000", "04-1-1-1-1-100"},
         {"metroticks=16\r\n", "\r\n\r\n16000000000000\r\n08-1-1-1-1-100\r\n"}},
        // Picture positions are not written for drawn pages.
        {songLines({}, {"1600000000000015000", "16000000000000"}),
         {"\r\n\r\n16000000000000\r\n16000000000000\r\n"}},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.file.back());
        load(c.file);
        const std::string text = saveAndReload();
        EXPECT_EQ(text.substr(0, 9), "lutavo3\r\n");
        for (const std::string& part : c.written)
            EXPECT_NE(text.find(part), std::string::npos) << text;
    }
}

// Song texts that once changed on saving: after load, save, load the notes are the same and a
// second save writes the same bytes; one note is checked as read.
TEST_F(SongWrite, SavedSongsLoadTheSameNotes) {
    const std::tuple<const char*, int, Frets> cases[] = {
        // A silent step and a bare stop marker stay silent, not open strings plus the capo.
        {"lutavo3\r\ncapo=2\r\n\r\n1603-1-1-1-1-1\r\n90-1-1-1-1-1-1\r\n98\r\n16-2\r\n", 3,
         kSilentFrets},
        // A line marker's negative parameter stays where it is; a bare one keeps parameter 0.
        {"lutavo3\r\ncapo=2\r\n\r\n97-3\r\n97\r\n9712-1-1-1-1-1\r\n", 1, {-3, -1, -1, -1, -1, -1}},
        // A held open string with the capo on, though nothing rang before it.
        {"lutavo3\r\ncapo=2\r\n\r\n16240000000000\r\n16-2\r\n", 1, {26, 2, 2, 2, 2, 2}},
        // A hold after a bend holds fret 0, below the capo: still a hold, not a struck fret.
        {"lutavo3\r\ncapo=1\r\n\r\n16-3\r\n16-2\r\n", 2, {24, 1, 1, 1, 1, 1}},
        // A marker's fret is what the next note holds.
        {"lutavo3\r\n\r\n908\r\n08-2\r\n98-2-2\r\n", 2, {32, 0, 0, 0, 0, 0}},
    };
    auto notes = [this] {
        std::string out;
        for (int n = 1; n <= song().noteCount; ++n)
            out += join(song().noteDur[n], song().noteX[n], frets(n)[0], frets(n)[1], frets(n)[2],
                        frets(n)[3], frets(n)[4], frets(n)[5]);
        return out;
    };
    for (const auto& [text, note, expected] : cases) {
        SCOPED_TRACE(text);
        loadsong(g(), dir.write("IN.SNG", text));
        EXPECT_EQ(frets(note), expected);
        const std::string before = notes();
        saveAndReload();
        EXPECT_EQ(notes(), before);
    }
}

TEST_F(SongWrite, CapoAndHeldNotesRoundTrip) {
    load(songLines({"capo=2"}, {"16000302-1-1-1", "16-2-2-2-1-1-1", "16-3-4-1-1-1-1"}));
    song().noteFret(3, 3) = 1;  // entered below the capo: saved as the capo fret
    const std::string text = saveAndReload();
    EXPECT_NE(text.find("\r\n16000302-1-1-1\r\n16-2-2-2-1-1-1\r\n16-3-400-1-1-1\r\n"),
              std::string::npos);
    EXPECT_EQ(frets(3), (Frets{-3, -4, 2, -1, -1, -1}));
}

TEST_F(SongWrite, TextsWithCommasAndQuotesComeBackWhole) {
    load(songLines({}, {"16000000000000"}));
    g().ui.lblleft.caption = "The \"Scissors\" tune";
    g().ui.lblright.caption = "A, \"B\", C";
    const std::string text = saveAndReload();
    EXPECT_NE(text.find("\r\nleft=The 'Scissors' tune\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"right=A, 'B', C\"\r\n"), std::string::npos);
    EXPECT_EQ(join(song().songInfo, song().songComposer, song().noteCount),
              "The 'Scissors' tune|A, 'B', C|1|");
}

TEST_F(SongWrite, FailedSaveKeepsTheOldFile) {
    load(songLines({"title=Old"}, {"16000000000000"}));
    const std::string path = dir.path() + "KEEP.SNG";
    ASSERT_TRUE(savesong(g(), path));
    const std::string before = readFile(path);
    song().songTitle = "New";
    g().ui.lblsong.caption = "before";
    g().transport.curNote = 1;

    // A target that is a folder cannot be replaced by a file.
    const std::string folder = dir.path() + "AFOLDER.SNG";
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(savesong(g(), folder));
    // A folder that does not exist cannot take the temporary file.
    EXPECT_FALSE(savesong(g(), dir.path() + "missing/KEEP.SNG"));
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(join(g().ui.lblsong.caption, g().transport.curNote), "before|1|");
    // No temporary file is left behind: TEST.SNG, KEEP.SNG, AFOLDER.SNG.
    const auto files = std::filesystem::directory_iterator(dir.path());
    EXPECT_EQ(std::distance(begin(files), end(files)), 3);
}

// What a save must keep besides the text: the file's permissions, a link, and a clean folder.
TEST(SafeFile, KeepsPermissionsWritesThroughLinksAndClearsOnlyStaleTemporaries) {
    namespace fs = std::filesystem;
    TempDir dir;
    const std::string song = dir.write("a.SNG", "old");
    fs::permissions(song, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory(dir.path() + "links");
    fs::create_symlink("../a.SNG", dir.path() + "links/to_a.SNG");
    // Temporaries of the same song: one left by a save killed long ago, one of a save under way.
    const std::string stale = dir.write(".a.SNG.saving-1", "torn");
    fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(1));
    const std::string underWay = dir.write(".a.SNG.saving-2", "half");

    ASSERT_TRUE(writeFileSafely(dir.path() + "links/to_a.SNG", "new"));
    EXPECT_EQ(readFile(song), "new");
    EXPECT_TRUE(fs::is_symlink(dir.path() + "links/to_a.SNG"));
    EXPECT_EQ(fs::status(song).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(join(fs::exists(stale), fs::exists(underWay)), join(false, true));
    // Nothing else was left: a.SNG, links, the save under way.
    const auto files = fs::directory_iterator(dir.path());
    EXPECT_EQ(std::distance(begin(files), end(files)), 3);
    EXPECT_EQ(join(sameFile(song, dir.path() + "links/to_a.SNG"), sameFile(song, underWay),
                   sameFile(song, dir.path() + "none")),
              join(true, false, false));
    for (const auto& [name, stays] : {std::pair{"a.SNG", true},
                                      {"lessons/./a.SNG", true},
                                      {"../a", false},
                                      {"a/../../b", false},
                                      {"a/..", false},
                                      {"/etc/a", false},
                                      {"", false},
                                      {"a\\b", false}})
        EXPECT_EQ(staysInFolder(name), stays) << name;
}

// A file written in pieces replaces the old one only when committed; one dropped before leaves
// the old file and no temporary.
TEST(SafeFile, PiecesReplaceTheFileOnlyWhenCommitted) {
    TempDir dir;
    const std::string path = dir.write("take.wav", "old");
    {
        SafeFileWriter dropped(path);
        EXPECT_TRUE(dropped.append("half"));
    }
    const auto files = std::filesystem::directory_iterator(dir.path());
    EXPECT_EQ(join(readFile(path), std::distance(begin(files), end(files))), join("old", 1));
    SafeFileWriter whole(path);
    EXPECT_TRUE(whole.append("ne") && whole.append("w"));
    EXPECT_TRUE(whole.commit());
    EXPECT_EQ(readFile(path), "new");
    SafeFileWriter nowhere(dir.path() + "missing/take.wav");
    EXPECT_FALSE(nowhere.append("x"));
    EXPECT_EQ(nowhere.commit().problem, "No such file or directory");
}

TEST_F(SongWrite, ReferenceSongReadsAndWritesBack) {
    const std::string source = LUTAVO_TEST_SOURCE_DIR "/song/data/";
    loadsong(g(), source + "reference.SNG");
    ASSERT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(song().noteCount, 12);
    const std::string path = dir.path() + "reference.SNG";
    ASSERT_TRUE(savesong(g(), path));
    EXPECT_EQ(readFile(path), readFile(source + "reference.expected.SNG"));
}

}  // namespace
}  // namespace lutavo::test
