// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/song_defaults.h"

#include <array>

#include "song/song_edit.h"
#include "song/song_model.h"

namespace lutavo {

void setSongDefaults(SongModel& s) {
    songedit::clearNotes(s);
    s.tempo = 8;
    s.capo = 0;
    s.timeSig = 0;
    s.metroOn = 0;
    s.altTempo = 0;
    // Standard tuning, as the tuning button, the lessons and the tuning song take for granted.
    for (int str = 1; str <= kStrings; ++str)
        s.altTuning[str] = 0;
    s.tickSound = "tick.wav";
    s.lessonPicture = "defaultl.bmp";
    s.tuningFile = "standard.tng";

    constexpr std::array<i16, 10> kDurValue = {2, 4, 6, 8, 12, 16, 24, 32, 48, 64};
    for (int i = 1; i <= 10; ++i)
        s.durValue[i] = kDurValue[i - 1];
    constexpr std::array<i16, 5> kBarTicks = {64, 32, 48, 64, 48};
    for (int i = 1; i <= 5; ++i)
        s.barTicks[i] = kBarTicks[i - 1];
    buildDurSymbol(s);
}

void buildDurSymbol(SongModel& s) {
    struct Range {
        int upTo;
        i16 symbol;
    };
    constexpr std::array<Range, 12> kRanges = {{{2, 1},
                                                {4, 2},
                                                {5, 4},
                                                {6, 3},
                                                {10, 4},
                                                {11, 6},
                                                {14, 5},
                                                {20, 6},
                                                {28, 7},
                                                {40, 8},
                                                {52, 9},
                                                {64, 10}}};
    int tick = 0;
    for (const Range& r : kRanges) {
        for (; tick <= r.upTo; ++tick)
            s.durSymbol[tick] = r.symbol;
    }
    s.durSymbol[14] = s.altTempo != 0 ? 6 : 5;
}

}  // namespace lutavo
