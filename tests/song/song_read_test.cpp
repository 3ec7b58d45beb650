#include <gtest/gtest.h>

#include "base/item_reader.h"
#include "song/note_line.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

using Frets = std::array<int, 6>;

class SongRead : public SongTest {};

TEST_F(SongRead, NoteColumnsCapoAndSentinels) {
    load(songLines({"capo=2", "timesig=4", "key=3"},
                   {"16000102030405", "08-1-1-1-1-1-1", "32-3-4", "99", "641010101010"}));
    EXPECT_EQ(song().noteCount, 5);
    EXPECT_EQ(song().noteDur[1], 16);
    EXPECT_EQ(frets(1), (Frets{2, 3, 4, 5, 6, 7}));  // the capo is added to struck frets
    EXPECT_EQ(frets(2), (Frets{-1, -1, -1, -1, -1, -1}));
    // A short line reads its missing fields as 0: the open string plus the capo.
    EXPECT_EQ(frets(3), (Frets{-3, -4, 2, 2, 2, 2}));
    EXPECT_EQ(frets(4), (Frets{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(song().capo, 2);
    EXPECT_EQ(song().timeSig, 4);
    EXPECT_EQ(song().songKey, 3);
    EXPECT_EQ(song().pageStart[1], 1);
    EXPECT_EQ(song().pageStart[2], 5);
    EXPECT_EQ(song().pageStart[3], 7);  // noteCount + 2
    EXPECT_EQ(song().noteX[6], 595);
    EXPECT_EQ(song().noteDur[6], 0);
    EXPECT_EQ(song().noteDur[0], 0);
    EXPECT_EQ(frets(6), (Frets{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(frets(0), (Frets{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(song().curNote, 0);
    EXPECT_EQ(song().curPage, 1);
    EXPECT_EQ(g().ui.pgScroll.max, 2);
    EXPECT_TRUE(g().ui.scrollpanel.visible);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{});
}

TEST_F(SongRead, EmptySongStillGetsItsSentinels) {
    load(songLines({"title=Nothing yet"}, {}));
    EXPECT_EQ(song().noteCount, 0);
    EXPECT_EQ(song().noteX[1], 595);
    EXPECT_EQ(frets(1), (Frets{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(frets(0), (Frets{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(song().pageStart[2], 2);
    EXPECT_FALSE(g().ui.scrollpanel.visible);
    EXPECT_FALSE(g().ui.ScrlNpntr.visible);
}

TEST_F(SongRead, HeldNotesFollowTheLastStruckFret) {
    load(songLines({"capo=1"}, {"1603-1-1-1-1-1",  // struck 3 (+1 capo)
                                "16-2-2-1-1-1-1",  // hold on slot 1; slot 2 was silent
                                "16-2-1-1-1-1-1",  // a chain keeps holding the same fret
                                "16-1-1-1-1-1-1",  // silence ends the ring
                                "16-2-1-1-1-1-1",  // so this hold is dropped
                                "16-4-1-1-1-1-1",  // muted
                                "1605-1-1-1-1-1", "99",
                                "16-2-1-1-1-1-1"}));  // an end of page stops every string
    EXPECT_EQ(song().noteFret(1, 1), 4);
    EXPECT_EQ(song().noteFret(2, 1), 28);
    EXPECT_EQ(song().noteFret(2, 2), -1);
    EXPECT_EQ(song().noteFret(3, 1), 28);
    EXPECT_EQ(song().noteFret(4, 1), -1);
    EXPECT_EQ(song().noteFret(5, 1), -1);
    EXPECT_EQ(song().noteFret(6, 1), -4);
    EXPECT_EQ(song().noteFret(9, 1), -1);
}

TEST_F(SongRead, HeldOpenStringWithoutCapoStaysHeld) {
    load(songLines({}, {"1600-1-1-1-1-1", "1624-1-1-1-1-1", "16-2-1-1-1-1-1"}));
    EXPECT_EQ(song().noteFret(2, 1), 24);
    // A hold after the held open string keeps holding the open string.
    EXPECT_EQ(song().noteFret(3, 1), 24);
}

TEST_F(SongRead, OldFormatDoublesShortDurationsAndTheClick) {
    load({"lutavo", "metroticks=8", "", "08000000000000", "97", "98", "24", "60"});
    EXPECT_EQ(song().metroTicks, 16);
    EXPECT_EQ(song().noteDur[-1], 16);
    EXPECT_EQ(song().noteDur[1], 16);
    EXPECT_EQ(song().noteDur[2], 97);  // codes and long values stay as read
    EXPECT_EQ(song().noteDur[3], 98);
    EXPECT_EQ(song().noteDur[4], 48);
    EXPECT_EQ(song().noteDur[5], 60);
    // "lutavo3" anywhere in the first item marks the current format.
    load({"my lutavo 3 song", "metroticks=8", "", "08000000000000"});
    EXPECT_EQ(song().metroTicks, 8);
    EXPECT_EQ(song().noteDur[1], 8);
}

TEST_F(SongRead, MarkersKeepTheirCodesAndParameter) {
    load(songLines({"capo=2"}, {"975", "98", "99", "1601-1-1-1-1-1", "93"}));
    EXPECT_EQ(song().noteDur[1], 97);
    EXPECT_EQ(song().noteFret(1, 1), 7);  // the parameter is read with the capo added
    EXPECT_EQ(song().noteFret(1, 2), 2);  // other slots of a marker read as fret 0
    EXPECT_EQ(song().noteDur[2], 98);
    EXPECT_EQ(song().noteDur[3], 99);
    EXPECT_EQ(frets(3), (Frets{-1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(song().noteDur[5], 93);
}

TEST_F(SongRead, PositionColumnsOfPicturePages) {
    pictures.files[dir.path() + "pages.bmp"] = Picture(600, 400);
    load(songLines({"page=pages.bmp", "frames=2"},
                   {"161010101010101500", "160000000000001537.5", "1600000000000075", "160000"}));
    EXPECT_EQ(song().noteX[1], 100);  // the column from character 15 on, divided by 15
    EXPECT_EQ(song().noteX[2], 102);  // 102.5 rounds to the even neighbour
    EXPECT_EQ(song().noteX[3], 5);
    EXPECT_EQ(song().noteX[4], 50);  // a short line is not placed
    EXPECT_EQ(song().noteFret(1, 1), 10);
}

TEST_F(SongRead, TextWithACommaIsCutAtTheComma) {
    load(songLines({"title=Rock, Paper", "left=Scissors", "\"right=Stone, Age\""}, {}));
    EXPECT_EQ(song().songTitle, "Rock");
    EXPECT_EQ(song().songInfo, "Scissors");
    EXPECT_EQ(song().songComposer, "Stone, Age");  // a quoted item is read whole
    EXPECT_EQ(g().ui.form.caption, "Lutavo - Rock");
}

TEST_F(SongRead, ValueEndingInACommaEndsTheHeaderEarly) {
    // The empty item after "left=x," ends the header, so "tempo=3" is taken as a note line,
    // which is not a note: the file is refused and names the line.
    load({"lutavo3", "title=First", "", "16000000000000"});
    load({"lutavo3", "title=Second", "left=x,", "tempo=3", "", "16000000000000"}, "B.SNG");
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find("line 4"), std::string::npos);
    EXPECT_EQ(song().songTitle, "First");
}

TEST_F(SongRead, KeptAndResetFields) {
    load(songLines({"metro=on", "tempo=3", "capo=2", "alt=000102030405", "tick=wood.wav",
                    "alttempo=1", "key=5", "timesig=2", "metroticks=24", "locked=yes"},
                   {"14000000000000", "16000000000000"}));
    EXPECT_EQ(song().durSymbol[14], 6);
    EXPECT_TRUE(song().songLocked);
    load(songLines({}, {"14000000000000", "16000000000000"}), "OTHER.SNG");
    // Kept when the file does not set them.
    EXPECT_EQ(song().metroOn, 1);
    EXPECT_EQ(song().tempo, 3);
    EXPECT_EQ(song().altTuning[6], 5);
    EXPECT_EQ(song().tickSound, "wood.wav");
    // Reset by every load.
    EXPECT_EQ(song().capo, 0);
    EXPECT_EQ(song().altTempo, 0);
    EXPECT_EQ(song().durSymbol[14], 5);
    EXPECT_EQ(song().songKey, 1);
    EXPECT_EQ(song().timeSig, 0);
    EXPECT_EQ(song().metroTicks, 16);
    EXPECT_FALSE(song().songLocked);
}

TEST(ItemReaderLines, TellsTheLineOfEachItem) {
    ItemReader r("a,b\r\nc\n\"d\ne\"\rf\r\n\r\ng");
    std::vector<std::pair<std::string, int>> seen;
    while (auto item = r.next())
        seen.emplace_back(*item, r.line());
    const std::vector<std::pair<std::string, int>> expected = {
        {"a", 1}, {"b", 1}, {"c", 2}, {"d\ne", 3}, {"f", 5}, {"", 6}, {"g", 7}};
    EXPECT_EQ(seen, expected);
}

TEST(NoteLine, TwoCharacterFields) {
    EXPECT_EQ(twoCharField(5), "05");
    EXPECT_EQ(twoCharField(0), "00");
    EXPECT_EQ(twoCharField(12), "12");
    EXPECT_EQ(twoCharField(-2), "-2");
    EXPECT_EQ(fileFret(5, 2), 3);
    EXPECT_EQ(fileFret(24, 0), 24);
    EXPECT_EQ(fileFret(26, 2), -2);
    EXPECT_EQ(fileFret(-4, 2), -4);
    EXPECT_EQ(fileFret(1, 2), 0);  // below the capo: the capo fret
}

}  // namespace
}  // namespace lutavo::test
