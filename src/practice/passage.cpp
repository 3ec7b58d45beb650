// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/passage.h"

#include <algorithm>

#include "core/control_ids.h"
#include "core/guitar.h"
#include "display/page_render.h"
#include "playback/performer.h"
#include "playback/play_tick.h"
#include "playback/settings_adjuster.h"
#include "playback/tempo.h"
#include "playback/transport.h"
#include "song/song_model.h"

namespace lutavo {

int lineFirstNote(const SongModel& song, int page) {
    const int p = clampTo(page, 1, kMaxPages);
    const int n = passageNoteFrom(song, song.pageStart[p]);
    return n > 0 && n < song.pageStart[p + 1] ? n : 0;
}

int lineLastNote(const SongModel& song, int page) {
    const int p = clampTo(page, 1, kMaxPages);
    const int n = passageNoteUpTo(song, song.pageStart[p + 1] - 1);
    return n >= song.pageStart[p] ? n : 0;
}

PlayRange withPassageEnd(PlayRange range, PassageEnd end, int n) {
    const auto note = static_cast<i16>(n);
    if (end == PassageEnd::Start) {
        range.first = note;
        if (range.last > 0 && range.last < note) range.last = note;
    } else {
        range.last = note;
        if (range.first > note) range.first = note;
    }
    return range;
}

void markPassage(Guitar& g, PassageEnd end, PassageAt at) {
    if (g.app.appMode == kModeEditor || g.song.noteCount < 1) return;
    const int page = g.transport.curPage;
    int n = passageNoteFrom(g.song, g.transport.curNote);
    if (at == PassageAt::Line) {
        n = end == PassageEnd::Start ? lineFirstNote(g.song, page) : lineLastNote(g.song, page);
    }
    if (n < 1) return;
    g.transport.range = withPassageEnd(g.transport.range, end, n);
    showPassage(g);
}

void setTempoPercent(Guitar& g, int percent) {
    g.playback.tempoPercent = static_cast<i16>(clampTo(percent, kSlowestPercent, kFastestPercent));
    // While winding the timer keeps the winding pace; the release takes the new speed.
    if (g.playback.winding != 0) {
        showTempo(g.ui, g.song, g.playback.tempoPercent);
        return;
    }
    applyPlayInterval(g);
}

void toggleLoop(Guitar& g) {
    auto& t = g.transport;
    if (g.app.appMode == kModeEditor || g.song.noteCount < 1) return;
    if (!t.range.loop && !t.range.marked()) {
        mnuRepeatLine_Click(g);
        return;
    }
    t.range.loop = !t.range.loop;
    if (t.range.loop) t.repeatSong = false;
    showRepeatState(g);
    if (isPlaying(g)) followRange(g.song, liveSettings(g), g.playback.counters);
}

}  // namespace lutavo
