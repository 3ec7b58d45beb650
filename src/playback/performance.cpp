// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/performance.h"

#include <algorithm>

#include "playback/play_tick.h"
#include "playback/tempo.h"
#include "song/song_model.h"

namespace lutavo {

namespace {

// Enough ticks for the lead-in, every note and its page turn; a play ends well before.
long tickLimit(const SongModel& song, const PlaybackSettings& settings) {
    long pass = song.metroTicks + 1L;  // the rest that brings a loop back onto the beat
    for (int n = 1; n <= std::min<int>(song.noteCount, kMaxNotes); ++n)
        pass += std::max<int>(song.noteDur[n], 0) + 1;
    return 100 + (settings.leadIn + 1L) * (song.metroTicks + 1L) +
           pass * std::max(settings.passes, 1);
}

bool startsRangeAgain(const TickEvents& events, int first) {
    return std::any_of(events.begin(), events.end(), [first](const PerformanceEvent& e) {
        return e.kind == EventKind::NoteStart && e.note == first;
    });
}

bool ends(const TickEvents& events) {
    return std::any_of(events.begin(), events.end(),
                       [](const PerformanceEvent& e) { return e.kind == EventKind::End; });
}

void appendStamped(Performance& perf, TickEvents& events, long tick,
                   const PlaybackSettings& settings) {
    for (PerformanceEvent& e : events) {
        e.tick = tick;
        e.timeMs = timeAtTick(tick, settings);
        perf.events.push_back(e);
    }
}

// A file played elsewhere starts on the default instrument: it needs the sound's programs.
void setUpSound(Performance& perf, const SoundSettings& sound) {
    for (std::uint32_t message : programChanges(sound)) {
        PerformanceEvent e;
        e.message = message;
        perf.events.push_back(e);
    }
}

}  // namespace

long timeAtTick(long tick, const PlaybackSettings& settings) {
    return static_cast<long>(tick * tickIntervalMicros(settings.tempo, settings.speedPercent) /
                             1000);
}

Performance performance(const SongModel& song, const PlaybackSettings& settings) {
    Performance perf;
    if (song.noteCount < 1) return perf;
    const int first = settings.range.first;
    TransportState at;
    at.curNote = static_cast<i16>(first);
    at.curPage = static_cast<i16>(pageOfNote(song, first, settings.pageCount));
    PlayCounters counters;
    startPlay(song, settings, at, counters);
    setUpSound(perf, settings.sound);

    TickEvents events;
    int passes = 0;
    const long limit = tickLimit(song, settings);
    long tick = 0;
    for (; tick < limit; ++tick) {
        events.clear();
        playTick(song, settings, at, counters, events);
        if (startsRangeAgain(events, first) && ++passes > std::max(settings.passes, 1)) break;
        appendStamped(perf, events, tick, settings);
        if (ends(events)) break;
    }
    perf.endTick = std::min(tick, limit - 1);
    perf.endMs = timeAtTick(perf.endTick, settings);
    return perf;
}

PlaybackSettings songSettings(const SongModel& song, const SoundSettings& sound,
                              const PitchTable& pitchOf) {
    PlaybackSettings s;
    s.sound = sound;
    s.pitchOf = pitchOf;
    s.tempo = song.tempo;
    s.metronome = song.metroOn == 1;
    s.pageCount = drawnPageCount(song);
    s.drawnPages = !hasPicturePages(song);
    return s;
}

}  // namespace lutavo
