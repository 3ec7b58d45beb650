// The one door through which the note arrays, the page table and the note count change.

#include <gtest/gtest.h>

#include <tuple>

#include "song/song_defaults.h"
#include "song/song_edit.h"

namespace lutavo {
namespace {

namespace ed = songedit;
using std::make_tuple;
using std::tie;

// Three notes on page 1, a page end, one note on page 2.
SongModel threeAndOne() {
    SongModel s;
    setSongDefaults(s);
    ed::resetForLoad(s);
    ed::storeNote(s, 1, 16, {3, kSilent, kSilent, kSilent, kSilent, kSilent}, 25);
    ed::storeNote(s, 2, 8, {kHeldBase + 3, 5, kMuted, kBend, kSilent, 0}, 100);
    ed::storeNote(s, 3, 32, {kSilent, kSilent, 23, kSilent, kSilent, kSilent}, 200);
    ed::storeNote(s, 4, kEndOfPage, {}, kUnplacedX);
    ed::storeNote(s, 5, 4, {kSilent, kSilent, kSilent, kSilent, 7, kSilent}, 25);
    ed::setPageStart(s, 1, 1);
    ed::setPageStart(s, 2, 5);
    ed::endSongAt(s, 5);
    return s;
}

TEST(SongEdit, SlotsAndTheSentinelMoveTogether) {
    SongModel s = threeAndOne();
    EXPECT_EQ(tie(s.noteCount, s.noteDur[0], s.noteFret(0, 6), s.noteDur[6], s.noteFret(6, 1),
                  s.noteX[6]),
              make_tuple(i16{5}, i16{0}, i16(kSilent), i16{0}, i16(kSilent), i16{kEndSentinelX}));
    ASSERT_TRUE(ed::openSlot(s, 2));
    ed::shiftPageStarts(s, 1, +1);
    EXPECT_EQ(tie(s.noteDur[2], s.noteDur[3], s.noteDur[5], s.noteX[7], s.pageStart[2]),
              make_tuple(i16{8}, i16{8}, i16(kEndOfPage), i16{kEndSentinelX}, i16{6}));
    ++s.noteCount;
    ed::closeSlot(s, 2);
    --s.noteCount;
    ed::shiftPageStarts(s, 1, -1);
    const SongModel before = threeAndOne();
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(tie(s.noteDur[n], s.noteX[n], s.noteFret(n, 1)),
                  tie(before.noteDur[n], before.noteX[n], before.noteFret(n, 1)))
            << n;
    EXPECT_EQ(s.pageStart[2], 5);
    s.noteCount = kMaxNotes + 1;
    EXPECT_FALSE(ed::openSlot(s, 1));
}

TEST(SongEdit, EditorsEmptyNoteAndRepeatLine) {
    SongModel s = threeAndOne();
    s.curNote = 5;
    s.curPage = 2;
    ed::appendEmptyNote(s, 12);
    EXPECT_EQ(
        tie(s.noteCount, s.curNote, s.noteDur[6], s.noteFret(6, 5), s.noteX[7], s.pageStart[3]),
        make_tuple(i16{6}, i16{6}, i16{12}, i16(kSilent), i16{kEndSentinelX}, i16{1}));
    ed::setLength(s, 0, 5);
    const int saved = ed::cutToLine(s, 1, 3);
    // The jump back to the line's start waits as long as its last note.
    EXPECT_EQ(tie(s.noteCount, s.noteDur[0]), make_tuple(i16{3}, i16{32}));
    ed::restoreFromLine(s, 1, saved, 6);
    EXPECT_EQ(tie(s.noteCount, s.noteDur[0]), make_tuple(i16{6}, i16{5}));
}

TEST(SongEdit, CapoMovesStruckAndHeldFretsOrRefusesWhole) {
    SongModel s = threeAndOne();
    // Note 3 holds fret 23, the neck's last: the frets cannot move up with the capo.
    EXPECT_FALSE(ed::moveCapo(s, 2, true));
    EXPECT_EQ(tie(s.noteFret(1, 1), s.noteFret(3, 3), s.capo), make_tuple(i16{3}, i16{23}, i16{0}));
    EXPECT_TRUE(ed::moveCapo(s, 2, false));
    EXPECT_EQ(tie(s.noteFret(1, 1), s.capo), make_tuple(i16{3}, i16{2}));
    ed::setFret(s, 3, 3, 20);
    ASSERT_TRUE(ed::moveCapo(s, 5, true));
    // Struck and held frets move; muted, bent and silent strings and the page end do not.
    EXPECT_EQ(tie(s.noteFret(1, 1), s.noteFret(2, 1), s.noteFret(2, 2), s.noteFret(3, 3)),
              make_tuple(i16{6}, i16(kHeldBase + 6), i16{8}, i16{23}));
    EXPECT_EQ(tie(s.noteFret(2, 3), s.noteFret(2, 4), s.noteFret(2, 5), s.noteDur[4]),
              make_tuple(i16(kMuted), i16(kBend), i16(kSilent), i16(kEndOfPage)));
}

TEST(SongEdit, ModifiedByEveryChangeOfTheSongAndByNothingElse) {
    struct Case {
        const char* what;
        void (*change)(SongModel&);
        bool modifies;
    };
    const Case cases[] = {
        {"fret", [](SongModel& s) { ed::setFret(s, 2, 1, 4); }, true},
        {"length", [](SongModel& s) { ed::setLength(s, 2, 4); }, true},
        {"insert", [](SongModel& s) { ed::openSlot(s, 2); }, true},
        {"delete", [](SongModel& s) { ed::deleteSlots(s, 2, 2); }, true},
        {"texts", [](SongModel& s) { ed::setTexts(s, "T", "", ""); }, true},
        {"capo", [](SongModel& s) { ed::moveCapo(s, 1, false); }, true},
        {"scratch note", [](SongModel& s) { ed::setAllFrets(s, kScratchSlot, 3); }, false},
        {"layout", [](SongModel& s) { ed::setX(s, 2, 300); }, false},
        {"repeat line", [](SongModel& s) { ed::cutToLine(s, 1, 3); }, false},
    };
    for (const Case& c : cases) {
        SongModel s = threeAndOne();
        ed::markSaved(s);
        c.change(s);
        EXPECT_EQ(s.modified, c.modifies) << c.what;
    }
}

}  // namespace
}  // namespace lutavo
