#include <gtest/gtest.h>

#include "song/note_line.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class SongRead : public SongTest {};

TEST_F(SongRead, NoteColumnsCapoAndSentinels) {
    load(songLines({"capo=2", "timesig=4", "key=3"},
                   {"16000102030405", "08-1-1-1-1-1-1", "32-3-4", "99", "641010101010"}));
    EXPECT_EQ(song().noteCount, 5);
    EXPECT_EQ(song().noteDur[1], 16);
    EXPECT_EQ(frets(1), (Frets{2, 3, 4, 5, 6, 7}));  // the capo is added to struck frets
    EXPECT_EQ(frets(2), kSilentFrets);
    // A short line reads its missing fields as 0: the open string plus the capo.
    EXPECT_EQ(frets(3), (Frets{-3, -4, 2, 2, 2, 2}));
    EXPECT_EQ(frets(4), kSilentFrets);
    EXPECT_EQ(song().capo, 2);
    EXPECT_EQ(song().timeSig, 4);
    EXPECT_EQ(song().songKey, 3);
    EXPECT_EQ(song().pageStart[1], 1);
    EXPECT_EQ(song().pageStart[2], 5);
    EXPECT_EQ(song().pageStart[3], 7);  // noteCount + 2
    for (int sentinel : {0, 6}) {
        EXPECT_EQ(song().noteDur[sentinel], 0);
        EXPECT_EQ(frets(sentinel), kSilentFrets);
    }
    EXPECT_EQ(song().noteX[6], 595);
    EXPECT_EQ(song().curNote, 0);
    EXPECT_EQ(song().curPage, 1);
    EXPECT_EQ(g().ui.pgScroll.max, 2);
    EXPECT_TRUE(g().ui.scrollpanel.visible);
    EXPECT_TRUE(rig.dialogs.messages.empty());

    load(songLines({"title=Nothing yet"}, {}), "EMPTY.SNG");  // still gets its sentinels
    EXPECT_EQ(song().noteCount, 0);
    EXPECT_EQ(song().noteX[1], 595);
    EXPECT_EQ(frets(1), kSilentFrets);
    EXPECT_EQ(frets(0), kSilentFrets);
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
    const std::array<int, 9> slot1 = {4, 28, 28, -1, -1, -4, 6, -1, -1};
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(song().noteFret(n, 1), slot1[static_cast<std::size_t>(n - 1)]) << n;
    EXPECT_EQ(song().noteFret(2, 2), -1);

    // Without a capo a held open string is 24, and a hold after it keeps holding it.
    load(songLines({}, {"1600-1-1-1-1-1", "1624-1-1-1-1-1", "16-2-1-1-1-1-1"}), "OPEN.SNG");
    EXPECT_EQ(song().noteFret(2, 1), 24);
    EXPECT_EQ(song().noteFret(3, 1), 24);
}

TEST_F(SongRead, OldFormatDoublesShortDurationsAndTheClick) {
    load({"lutavo", "metroticks=8", "", "08000000000000", "97", "98", "24", "60"});
    EXPECT_EQ(song().metroTicks, 16);
    EXPECT_EQ(song().noteDur[-1], 16);
    const std::array<int, 5> durs = {16, 97, 98, 48, 60};  // codes and long values stay as read
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(song().noteDur[n], durs[static_cast<std::size_t>(n - 1)]) << n;
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
    EXPECT_EQ(frets(3), kSilentFrets);
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

TEST_F(SongRead, TextIsCutAtACommaAndACommaAtTheEndEndsTheHeader) {
    load(songLines({"title=Rock, Paper", "left=Scissors", "\"right=Stone, Age\""}, {}));
    EXPECT_EQ(song().songTitle, "Rock");
    EXPECT_EQ(song().songInfo, "Scissors");
    EXPECT_EQ(song().songComposer, "Stone, Age");  // a quoted item is read whole
    EXPECT_EQ(g().ui.form.caption, "Lutavo - Rock");

    // The empty item after "left=x," ends the header, so "tempo=3" is taken as a note line,
    // which is not a note: the file is refused and names the line.
    load({"lutavo3", "title=Second", "left=x,", "tempo=3", "", "16000000000000"}, "B.SNG");
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find("line 4"), std::string::npos);
    EXPECT_EQ(song().songTitle, "Rock");
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

TEST(NoteLine, TwoCharacterFieldsAndFretsAsWritten) {
    const std::pair<int, const char*> fields[] = {{5, "05"}, {0, "00"}, {12, "12"}, {-2, "-2"}};
    for (const auto& [value, text] : fields)
        EXPECT_EQ(twoCharField(value), text);
    // {fret in memory, capo, fret in the file}; below the capo is the capo fret.
    const std::array<int, 3> frets[] = {
        {5, 2, 3}, {24, 0, 24}, {26, 2, -2}, {-4, 2, -4}, {1, 2, 0}};
    for (const auto& [fret, capo, written] : frets)
        EXPECT_EQ(fileFret(fret, capo), written) << fret << " " << capo;
}

}  // namespace
}  // namespace lutavo::test
