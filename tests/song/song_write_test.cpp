// Saving songs: the lines written, round trips through the reader, and safe replacement.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/item_reader.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class SongWrite : public SongTest {
  protected:
    // Saves the song, then loads the saved file again.
    std::string saveAndReload(const std::string& name = "SAVED.SNG") {
        const std::string path = dir.path() + name;
        EXPECT_TRUE(savesong(g(), path));
        loadsong(g(), path);
        return readFile(path);
    }
};

std::string lines(const std::vector<std::string>& l) {
    std::string out;
    for (const auto& s : l)
        out += s + "\r\n";
    return out;
}

TEST_F(SongWrite, WritesTheHeaderInItsOrder) {
    g().config.preferredSound = 1;
    load(songLines({"title=Greensleeves", "left=Standard", "right=Trad.", "key=2", "capo=3",
                    "metroticks=24", "timesig=5", "pointer=on", "vpointer=on", "metro=on",
                    "tempo=11", "alt=-20000000001", "lessonpic=lute.bmp"},
                   {"24030507-1-1-1", "08-2-2-2-1-1-1", "99", "32-1-1-1-1-1-1"}));
    const std::string path = dir.path() + "OUT.SNG";
    ASSERT_TRUE(savesong(g(), path));
    EXPECT_EQ(readFile(path), lines({"lutavo3",
                                     "title=Greensleeves",
                                     "right=Trad.",
                                     "left=Standard",
                                     "key=2",
                                     "metroticks=24",
                                     "timesig=5",
                                     "page=INTERNAL",
                                     "pointer=on",
                                     "vpointer=on",
                                     "style=1",
                                     "alt=-20000000001",
                                     "metro=on",
                                     "capo=3",
                                     "lessonpic=lute.bmp",
                                     "tempo=11",
                                     "",
                                     "24030507-1-1-1",
                                     "08-2-2-2-1-1-1",
                                     "99",
                                     "32-1-1-1-1-1-1"}));
    EXPECT_EQ(song().curNote, song().noteCount + 1);
    EXPECT_EQ(g().ui.lblsong.caption, path);
}

TEST_F(SongWrite, OptionalLinesAreLeftOut) {
    g().config.preferredSound = 0;
    load(songLines({"metro=off"}, {"16000000000000"}));
    const std::string path = dir.path() + "OUT.SNG";
    ASSERT_TRUE(savesong(g(), path));
    EXPECT_EQ(readFile(path), lines({"lutavo3", "title=", "right=", "left=", "key=1",
                                     "metroticks=16", "timesig=0", "page=INTERNAL", "style=0",
                                     "alt=-20000000000", "tempo=8", "", "16000000000000"}));
}

TEST_F(SongWrite, CapoAndHeldNotesRoundTrip) {
    load(songLines({"capo=2"}, {"16000302-1-1-1", "16-2-2-2-1-1-1", "16-3-4-1-1-1-1"}));
    EXPECT_EQ(song().noteFret(1, 3), 4);
    EXPECT_EQ(song().noteFret(2, 1), 26);
    // A fret entered below the capo is saved as the capo fret.
    song().noteFret(3, 3) = 1;
    const std::string text = saveAndReload();
    EXPECT_NE(text.find("\r\n16000302-1-1-1\r\n16-2-2-2-1-1-1\r\n16-3-400-1-1-1\r\n"),
              std::string::npos);
    EXPECT_EQ(song().noteFret(1, 3), 4);
    EXPECT_EQ(song().noteFret(2, 1), 26);
    EXPECT_EQ(song().noteFret(3, 1), -3);
    EXPECT_EQ(song().noteFret(3, 2), -4);
    EXPECT_EQ(song().noteFret(3, 3), 2);
}

TEST_F(SongWrite, HeldOpenStringIsWrittenAs24) {
    load(songLines({}, {"1600-1-1-1-1-1", "16-2-1-1-1-1-1"}));
    EXPECT_EQ(song().noteFret(2, 1), 24);
    const std::string text = saveAndReload();
    EXPECT_NE(text.find("\r\n1624-1-1-1-1-1\r\n"), std::string::npos);
    EXPECT_EQ(song().noteFret(2, 1), 24);
}

TEST_F(SongWrite, MarkersRoundTrip) {
    load(songLines({"capo=3"}, {"16000000000000", "975", "98", "99", "16010000000000", "93"}));
    EXPECT_EQ(song().noteFret(2, 1), 8);
    const std::string text = saveAndReload();
    EXPECT_NE(text.find("\r\n975\r\n98\r\n99\r\n16010000000000\r\n93\r\n"), std::string::npos);
    EXPECT_EQ(song().noteDur[2], 97);
    EXPECT_EQ(song().noteFret(2, 1), 8);  // the parameter does not creep up with the capo
    EXPECT_EQ(song().noteDur[3], 98);
    EXPECT_EQ(song().noteDur[6], 93);
    EXPECT_EQ(song().pageStart[2], 5);
}

TEST_F(SongWrite, OldFormatIsSavedInTheCurrentFormat) {
    load({"lutavo", "metroticks=8", "", "08000000000000", "04-1-1-1-1-100"});
    const std::string text = saveAndReload();
    EXPECT_EQ(text.substr(0, 9), "lutavo3\r\n");
    EXPECT_NE(text.find("metroticks=16\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n16000000000000\r\n08-1-1-1-1-100\r\n"), std::string::npos);
    EXPECT_EQ(song().noteDur[1], 16);
    EXPECT_EQ(song().noteDur[2], 8);
    EXPECT_EQ(song().metroTicks, 16);
}

TEST_F(SongWrite, TextsWithCommasAndQuotesComeBackWhole) {
    load(songLines({}, {"16000000000000"}));
    song().songTitle = "Rock, Paper";
    g().ui.lblleft.caption = "The \"Scissors\" tune";
    g().ui.lblright.caption = "A, \"B\", C";
    const std::string text = saveAndReload();
    EXPECT_NE(text.find("\r\n\"title=Rock, Paper\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nleft=The 'Scissors' tune\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"right=A, 'B', C\"\r\n"), std::string::npos);
    EXPECT_EQ(song().songTitle, "Rock, Paper");
    EXPECT_EQ(song().songInfo, "The 'Scissors' tune");
    EXPECT_EQ(song().songComposer, "A, 'B', C");
    EXPECT_EQ(song().noteCount, 1);
}

TEST_F(SongWrite, PicturePositionsAreNotWrittenForDrawnPages) {
    load(songLines({}, {"1600000000000015000", "16000000000000"}));
    EXPECT_EQ(song().noteX[1], 100);  // a drawn page is laid out whatever the file says
    const std::string text = saveAndReload();
    EXPECT_NE(text.find("\r\n16000000000000\r\n16000000000000\r\n"), std::string::npos);
}

TEST_F(SongWrite, FailedSaveKeepsTheOldFileAndSaysSo) {
    load(songLines({"title=Old"}, {"16000000000000"}));
    const std::string path = dir.path() + "KEEP.SNG";
    ASSERT_TRUE(savesong(g(), path));
    const std::string before = readFile(path);
    song().songTitle = "New";
    g().ui.lblsong.caption = "before";
    const i16 curNote = song().curNote = 1;

    // A target that is a folder cannot be replaced by a file.
    const std::string folder = dir.path() + "AFOLDER.SNG";
    std::filesystem::create_directory(folder);
    EXPECT_FALSE(savesong(g(), folder));
    // A folder that does not exist cannot take the temporary file.
    EXPECT_FALSE(savesong(g(), dir.path() + "missing/KEEP.SNG"));
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(g().ui.lblsong.caption, "before");
    EXPECT_EQ(song().curNote, curNote);
    // No temporary file is left behind.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 3);  // TEST.SNG, KEEP.SNG, AFOLDER.SNG
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
