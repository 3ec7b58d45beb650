// SPDX-License-Identifier: GPL-3.0-or-later
// The one door through which the note arrays, the page table and the note count change.

#include <gtest/gtest.h>

#include "song/song_defaults.h"
#include "song/song_edit.h"

namespace lutavo {
namespace {

namespace ed = songedit;

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
