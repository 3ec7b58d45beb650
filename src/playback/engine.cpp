// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/engine.h"

#include "core/guitar.h"
#include "display/scrolling.h"
#include "display/shownote.h"
#include "playback/performer.h"
#include "song/song_edit.h"
#include "song/song_model.h"

namespace lutavo {

namespace {

bool anySounding(const SongModel& song, int n, bool mutedCounts) {
    for (int s = 1; s <= kStrings; ++s) {
        const int f = song.noteFret(n, s);
        if (f >= 0 || (mutedCounts && f == kMuted)) return true;
    }
    return false;
}

bool acceptsBackwards(const SongModel& song, int n, BackStop stop) {
    switch (stop) {
        case BackStop::Sounding:
            return anySounding(song, n, false);
        case BackStop::SoundingOrMuted:
            return anySounding(song, n, true);
        case BackStop::AnyNote:
            return true;
    }
    return false;
}

void turnPageBack(Guitar& g) {
    const auto& bar = g.ui.pgScroll;
    showPageOf(g, bar.value > 1 ? bar.value - 1 : bar.max);
}

// REW held: the metronome goes on counting, and each time the note shown has run its length
// the previous sounding note is presented.
void windBackwards(Guitar& g) {
    auto& c = g.playback.counters;
    TickEvents events;
    countTick(c, g.song.metroTicks, g.song.metroOn == 1, events);
    perform(g, events);
    if (c.noteTicks < g.song.noteDur[g.transport.curNote]) return;
    c.noteTicks = 0;
    stepBackwards(g, BackStop::Sounding);
    presentNote(g, kSound);
}

}  // namespace

void ntimer_Timer(Guitar& g) {
    if (g.playback.playMode == kPlayBackwards) {
        windBackwards(g);
        return;
    }
    TickEvents events;
    playTick(g.song, liveSettings(g), g.transport, g.playback.counters, events);
    perform(g, events);
}

void stepBackwards(Guitar& g, BackStop stop) {
    auto& at = g.transport;
    const int first = at.range.first;
    for (;;) {
        at.curNote = static_cast<i16>(at.curNote - 1);
        if (at.curNote < first) {
            // Winding past the start keeps presenting the range's first note.
            at.curNote = static_cast<i16>(first);
            return;
        }
        const int code = g.song.noteDur[at.curNote];
        if (code == kEndOfPage) {
            turnPageBack(g);
        } else if (code == kLineMarker) {
            moveLinePointer(g.ui, g.song.noteFret(at.curNote, 1));
        } else if (code < kLineMarker && acceptsBackwards(g.song, at.curNote, stop)) {
            return;
        }
    }
}

void preparePlayStart(Guitar& g) {
    startPlay(g.song, liveSettings(g), g.transport, g.playback.counters);
    // The note pointer waits on the starting note during the lead-in's count.
    songedit::setX(g.song, kMetroSlot, g.song.noteX[g.transport.curNote]);
}

void stopPlaying(TimerModel& ntimer, TimerModel& gtimer) {
    ntimer.enabled = false;
    gtimer.enabled = true;
}

}  // namespace lutavo
