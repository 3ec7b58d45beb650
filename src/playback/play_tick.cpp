// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/play_tick.h"

#include <algorithm>

#include "song/song_model.h"

namespace lutavo {

namespace {

// Ticks after a beat at which the lamp goes dark.
constexpr int kLampOnTicks = 4;
// Slot -1 is the lead-in's silent count position; its length is the metronome's beat.
constexpr int kCountSlot = -1;
// The lowest note slot that has fret codes.
constexpr int kFirstNoteSlot = -2;

PerformanceEvent event(EventKind kind, int note = 0, int value = 0) {
    PerformanceEvent e;
    e.kind = kind;
    e.note = clampInt16(note);
    e.value = value;
    return e;
}

void appendMessages(int n, const NoteMessages& messages, TickEvents& out) {
    for (const NoteMessage& m : messages) {
        PerformanceEvent e = event(EventKind::Message, n);
        e.slot = static_cast<i16>(m.slot);
        e.message = m.message;
        out.push_back(e);
    }
}

int nextPage(const PlaybackSettings& settings, int page) {
    return page < settings.pageCount ? page + 1 : 1;
}

// The page shown becomes `page`; the beat count goes on.
bool turnTo(TransportState& at, int page, TickEvents& out) {
    if (page == at.curPage) return false;
    at.curPage = static_cast<i16>(page);
    out.push_back(event(EventKind::PageTurn, at.curNote, page));
    return true;
}

// The page shown becomes `page`; another drawn page starts the beat count afresh.
void showPage(const PlaybackSettings& settings, TransportState& at, PlayCounters& c, int page,
              TickEvents& out) {
    if (turnTo(at, page, out) && settings.drawnPages) {
        c.noteTicks = 0;
        c.beatTick = 0;
    }
}

// A lead-in beat: the silent count position, or back to the note the play starts at after the
// last one. Without the metronome the count clicks by itself.
void countLeadIn(const PlaybackSettings& settings, TransportState& at, PlayCounters& c,
                 TickEvents& out) {
    c.leadInLeft = static_cast<i16>(c.leadInLeft - 1);
    out.push_back(event(EventKind::LeadIn, c.playStartNote, c.leadInLeft));
    if (c.leadInLeft == 0) {
        at.curNote = c.playStartNote;
        return;
    }
    at.curNote = kCountSlot;
    if (!settings.metronome) out.push_back(event(EventKind::Click, kCountSlot));
}

// How long the note before curNote lasts: in a loop the range's first note follows its last,
// after the rest that brings it back to its place on the beat.
int lengthBefore(const SongModel& song, const PlaybackSettings& settings, const PlayCounters& c,
                 int n) {
    const PlayRange& r = settings.range;
    if (r.loop && n == r.first) return durationAt(song, r.lastIn(song.noteCount)) + c.passRest;
    return durationAt(song, n - 1);
}

int beatLength(const SongModel& song) {
    return song.metroTicks > 0 ? song.metroTicks : 16;
}

// Ticks from the start of the line on `page` to note n, markers taking no time, within the beat.
int beatPhase(const SongModel& song, int page, int n) {
    int ticks = 0;
    for (int i = song.pageStart[clampTo(page, 1, kMaxPages)]; i < n; ++i)
        if (durationAt(song, i) < kLineMarker) ticks += durationAt(song, i);
    return ticks % beatLength(song);
}

// Each pass of a loop begins where the first began on the metronome's grid: on the first beat
// (or the same place between beats) at or after the end of the last note, whatever the range's
// length, so the clicks run on without a gap or a doubled beat. Nothing of the pass before
// sounds into it: its page comes back, and strings its first note would hold or bend are let go.
void beginPass(const SongModel& song, const PlaybackSettings& settings, TransportState& at,
               PlayCounters& c, TickEvents& out) {
    const PlayRange& r = settings.range;
    if (!r.loop || at.curNote != r.first) return;
    ++c.passesBegun;
    out.push_back(event(EventKind::PassBegins, r.first));
    turnTo(at, pageOfNote(song, r.first, settings.pageCount), out);
    appendMessages(r.first, releaseCarried(fretsAt(song, r.first), settings.sound, c.sounding),
                   out);
    c.passRest = 0;
    c.countInFrom = 0;
    c.countInTo = 0;
}

// The rest after a loop's last note, presented on this tick, that brings the next pass's first
// note to the beat count its pass began on.
int restToPassBeat(const SongModel& song, const PlaybackSettings& settings, const PlayCounters& c) {
    const int beat = beatLength(song);
    const int endBeat = c.beatTick + durationAt(song, settings.range.lastIn(song.noteCount));
    return ((c.passBeat - endBeat) % beat + beat) % beat;
}

// After the range's last note: a loop goes on at its first note at once; otherwise the last
// note runs its full length first, then the song starts again or the play ends.
void atRangeEnd(const SongModel& song, const PlaybackSettings& settings, TransportState& at,
                PlayCounters& c, TickEvents& out) {
    const PlayRange& r = settings.range;
    const int last = r.lastIn(song.noteCount);
    if (r.loop) {
        at.curNote = r.first;
        const int rest = restToPassBeat(song, settings, c);
        const int countIn = settings.passCountIn * beatLength(song);
        c.passRest = clampInt16(rest + countIn);
        c.countInFrom = clampInt16(durationAt(song, last) + rest);
        c.countInTo = clampInt16(c.countInFrom + countIn);
        return;
    }
    if (at.curNote <= last + 1) return;
    c.beatTick = 0;
    c.noteTicks = 0;
    if (!settings.repeatSong) {
        out.push_back(event(EventKind::End, at.curNote));
        return;
    }
    at.curNote = r.first;
    showPage(settings, at, c, pageOfNote(song, r.first, settings.pageCount), out);
}

}  // namespace

void passMarkers(const SongModel& song, const PlaybackSettings& settings, TransportState& at,
                 PlayCounters& c, TickEvents& out) {
    if (durationAt(song, at.curNote) == kEndOfPage) {
        at.curNote = clampInt16(at.curNote + 1);
        c.noteTicks = kNoteDue;
        showPage(settings, at, c, nextPage(settings, at.curPage), out);
    }
    if (durationAt(song, at.curNote) == kLineMarker) {
        c.noteTicks = kNoteDue;
        if (at.curNote >= kFirstNoteSlot) {
            out.push_back(event(EventKind::LineMarker, at.curNote, song.noteFret(at.curNote, 1)));
        }
        at.curNote = clampInt16(at.curNote + 1);
    }
}

int pageOfNote(const SongModel& song, int n, int pageCount) {
    int page = 1;
    for (int p = 2; p <= std::min(pageCount, kMaxPages); ++p)
        if (song.pageStart[p] > 0 && song.pageStart[p] <= n) page = p;
    return page;
}

int durationAt(const SongModel& song, int n) {
    return decltype(song.noteDur)::contains(n) ? song.noteDur[n] : 0;
}

void countTick(PlayCounters& c, int metroTicks, bool metronome, TickEvents& out) {
    c.noteTicks = clampInt16(c.noteTicks + 1);
    c.beatTick = clampInt16(c.beatTick + 1);
    if (c.beatTick == kLampOnTicks) {
        out.push_back(event(EventKind::BeatEnd));
    } else if (c.beatTick >= metroTicks) {
        c.beatTick = 0;
        out.push_back(event(EventKind::Beat));
        const bool countingIn = c.noteTicks >= c.countInFrom && c.noteTicks < c.countInTo;
        if (metronome || countingIn) out.push_back(event(EventKind::Click));
    }
}

void noteEvents(const SongModel& song, const PlaybackSettings& settings, int n,
                SoundingNotes& sounding, bool strike, TickEvents& out) {
    out.push_back(event(EventKind::NoteStart, n));
    appendMessages(
        n, noteMessages(fretsAt(song, n), settings.sound, settings.pitchOf, sounding, strike), out);
}

void playTick(const SongModel& song, const PlaybackSettings& settings, TransportState& at,
              PlayCounters& c, TickEvents& out) {
    countTick(c, song.metroTicks, settings.metronome, out);
    if (c.noteTicks < lengthBefore(song, settings, c, at.curNote)) return;
    if (c.leadInLeft > 0) countLeadIn(settings, at, c, out);
    passMarkers(song, settings, at, c, out);
    beginPass(song, settings, at, c, out);
    noteEvents(song, settings, at.curNote, c.sounding, true, out);
    at.curNote = clampInt16(at.curNote + 1);
    c.noteTicks = 0;
    if (at.curNote > settings.range.lastIn(song.noteCount)) atRangeEnd(song, settings, at, c, out);
}

void followRange(const SongModel& song, const PlaybackSettings& settings, PlayCounters& c) {
    const int first = settings.range.first;
    c.passBeat =
        static_cast<i16>(beatPhase(song, pageOfNote(song, first, settings.pageCount), first));
}

void startPlay(const SongModel& song, const PlaybackSettings& settings, const TransportState& at,
               PlayCounters& c) {
    const int n = at.curNote;
    c.passRest = 0;
    if (n > 1) c.noteTicks = static_cast<i16>(lengthBefore(song, settings, c, n));
    if (n == song.pageStart[clampTo(at.curPage, 1, kMaxPages)]) c.noteTicks = kNoteDue;
    // The first tick presents the starting note: it clicks when that note falls on a beat of
    // the line, and otherwise the count runs on from the note's place so that every later
    // click meets its beat.
    const int phase = n > 1 ? beatPhase(song, at.curPage, n) : 0;
    c.beatTick = phase == 0 ? kBeatAfterStop : static_cast<i16>(phase - 1);
    followRange(song, settings, c);
    c.leadInLeft = settings.leadIn > 0 ? clampInt16(settings.leadIn + 1L) : i16{0};
    c.playStartNote = static_cast<i16>(n);
}

}  // namespace lutavo
