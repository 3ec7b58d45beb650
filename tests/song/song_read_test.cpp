#include <gtest/gtest.h>

#include "song/note_line.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class SongRead : public SongTest {
  protected:
    // The lengths of notes from..to, or the codes of one slot.
    std::string durs(int from, int to) {
        std::string out;
        for (int n = from; n <= to; ++n)
            out += std::to_string(song().noteDur[n]) + " ";
        return out;
    }
    std::string slot(int str, int from, int to) {
        std::string out;
        for (int n = from; n <= to; ++n)
            out += std::to_string(song().noteFret(n, str)) + " ";
        return out;
    }
};

TEST_F(SongRead, NoteColumnsCapoAndSentinels) {
    load(songLines({"capo=2", "timesig=4", "key=3"},
                   {"16000102030405", "08-1-1-1-1-1-1", "32-3-4", "99", "641010101010"}));
    EXPECT_EQ(frets(1), (Frets{2, 3, 4, 5, 6, 7}));  // the capo is added to struck frets
    // A short line reads its missing fields as 0: the open string plus the capo.
    EXPECT_EQ(frets(3), (Frets{-3, -4, 2, 2, 2, 2}));
    for (int silent : {0, 2, 4, 6})
        EXPECT_EQ(frets(silent), kSilentFrets) << silent;  // the sentinels 0 and 6 too
    EXPECT_EQ(durs(0, 6), "0 16 8 32 99 64 0 ");
    // count, capo, time, key, page table (the last is count + 2), sentinel x, current note and
    // page, pages, scroll panel shown
    EXPECT_EQ(join(song().noteCount, song().capo, song().timeSig, song().songKey,
                   song().pageStart[1], song().pageStart[2], song().pageStart[3], song().noteX[6],
                   song().curNote, song().curPage, g().ui.pgScroll.max, g().ui.scrollpanel.visible),
              "5|2|4|3|1|5|7|595|0|1|2|1|");
    EXPECT_TRUE(rig.dialogs.messages.empty());

    load(songLines({"title=Nothing yet"}, {}), "EMPTY.SNG");  // still gets its sentinels
    EXPECT_EQ(frets(0), kSilentFrets);
    EXPECT_EQ(frets(1), kSilentFrets);
    EXPECT_EQ(join(song().noteCount, song().noteX[1], song().pageStart[2],
                   g().ui.scrollpanel.visible, g().ui.ScrlNpntr.visible),
              "0|595|2|0|0|");
}

TEST_F(SongRead, HeldNotesFollowTheLastStruckFret) {
    // Struck 3 (+1 capo); a hold (slot 2 was silent); a chain keeps holding; silence ends the
    // ring, so the next hold is dropped; muted; struck; an end of page stops every string.
    load(songLines({"capo=1"},
                   {"1603-1-1-1-1-1", "16-2-2-1-1-1-1", "16-2-1-1-1-1-1", "16-1-1-1-1-1-1",
                    "16-2-1-1-1-1-1", "16-4-1-1-1-1-1", "1605-1-1-1-1-1", "99", "16-2-1-1-1-1-1"}));
    EXPECT_EQ(slot(1, 1, 9), "4 28 28 -1 -1 -4 6 -1 -1 ");
    EXPECT_EQ(song().noteFret(2, 2), -1);
    // Without a capo a held open string is 24, and a hold after it keeps holding it.
    load(songLines({}, {"1600-1-1-1-1-1", "1624-1-1-1-1-1", "16-2-1-1-1-1-1"}), "OPEN.SNG");
    EXPECT_EQ(slot(1, 1, 3), "0 24 24 ");
}

TEST_F(SongRead, OldFormatDoublesShortDurationsAndTheClickAndMarkersKeepTheirCodes) {
    load({"lutavo", "metroticks=8", "", "08000000000000", "97", "98", "24", "60"});
    EXPECT_EQ(song().metroTicks, 16);
    EXPECT_EQ(durs(-1, 5), "16 0 16 97 98 48 60 ");  // codes and long values stay as read
    // "lutavo3" anywhere in the first item marks the current format.
    load({"my lutavo 3 song", "metroticks=8", "", "08000000000000"});
    EXPECT_EQ(song().metroTicks, 8);
    EXPECT_EQ(song().noteDur[1], 8);

    load(songLines({"capo=2"}, {"975", "98", "99", "1601-1-1-1-1-1", "93"}));
    EXPECT_EQ(durs(1, 5), "97 98 99 16 93 ");
    // A marker's parameter is read with the capo added; its other slots read as fret 0.
    EXPECT_EQ(frets(1), (Frets{7, 2, 2, 2, 2, 2}));
    EXPECT_EQ(frets(3), kSilentFrets);
}

TEST_F(SongRead, PositionColumnsOfPicturePages) {
    pictures.files[dir.path() + "pages.bmp"] = Picture(600, 400);
    load(songLines({"page=pages.bmp", "frames=2"},
                   {"161010101010101500", "160000000000001537.5", "1600000000000075", "160000"}));
    // The column from character 15 on, divided by 15, halves to even; a short line is not placed.
    EXPECT_EQ(join(song().noteX[1], song().noteX[2], song().noteX[3], song().noteX[4]),
              "100|102|5|50|");
    EXPECT_EQ(song().noteFret(1, 1), 10);
}

TEST_F(SongRead, TextIsCutAtACommaAndACommaAtTheEndEndsTheHeader) {
    load(songLines({"title=Rock, Paper", "left=Scissors", "\"right=Stone, Age\""}, {}));
    // A quoted item is read whole.
    EXPECT_EQ(join(song().songTitle, song().songInfo, song().songComposer, g().ui.form.caption),
              "Rock|Scissors|Stone, Age|Lutavo - Rock|");
    // The empty item after "left=x," ends the header, so "tempo=3" is taken as a note line,
    // which is not a note: the file is refused and names the line.
    load({"lutavo3", "title=Second", "left=x,", "tempo=3", "", kNote}, "B.SNG");
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find("line 4"), std::string::npos);
    EXPECT_EQ(song().songTitle, "Rock");
}

TEST_F(SongRead, KeptAndResetFields) {
    load(songLines({"metro=on", "tempo=3", "capo=2", "alt=000102030405", "tick=wood.wav",
                    "alttempo=1", "key=5", "timesig=2", "metroticks=24", "locked=yes"},
                   {"14000000000000", kNote}));
    EXPECT_EQ(join(song().durSymbol[14], song().songLocked), "6|1|");
    load(songLines({}, {"14000000000000", kNote}), "OTHER.SNG");
    // Kept when the file does not set them, then those reset by every load.
    EXPECT_EQ(join(song().metroOn, song().tempo, song().altTuning[6], song().tickSound),
              "1|3|5|wood.wav|");
    EXPECT_EQ(join(song().capo, song().altTempo, song().durSymbol[14], song().songKey,
                   song().timeSig, song().metroTicks, song().songLocked),
              "0|0|5|1|0|16|0|");
}

TEST(NoteLine, TwoCharacterFieldsAndFretsAsWritten) {
    EXPECT_EQ(twoCharField(5) + twoCharField(0) + twoCharField(12) + twoCharField(-2), "050012-2");
    // {fret in memory, capo, fret in the file}; below the capo is the capo fret.
    const std::array<int, 3> frets[] = {
        {5, 2, 3}, {24, 0, 24}, {26, 2, -2}, {-4, 2, -4}, {1, 2, 0}};
    for (const auto& [fret, capo, written] : frets)
        EXPECT_EQ(fileFret(fret, capo), written) << fret << " " << capo;
}

}  // namespace
}  // namespace lutavo::test
