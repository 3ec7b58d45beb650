#include "playback/play_tick.h"

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

int nextPage(const PlaybackSettings& settings, int page) {
    return page < settings.pageCount ? page + 1 : 1;
}

// The page shown becomes `page`; another drawn page starts the beat count afresh.
void showPage(const PlaybackSettings& settings, TransportState& at, PlayCounters& c, int page,
              TickEvents& out) {
    if (page == at.curPage) return;
    at.curPage = static_cast<i16>(page);
    if (settings.drawnPages) {
        c.noteTicks = 0;
        c.beatTick = 0;
    }
    out.push_back(event(EventKind::PageTurn, at.curNote, page));
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

// How long the note before curNote lasts: in a loop the range's first note follows its last.
int lengthBefore(const SongModel& song, const PlaybackSettings& settings, int n) {
    const PlayRange& r = settings.range;
    if (r.loop && n == r.first) return durationAt(song, r.lastIn(song.noteCount));
    return durationAt(song, n - 1);
}

// After the range's last note: a loop goes on at its first note at once; otherwise the last
// note runs its full length first, then the song starts again or the play ends.
void atRangeEnd(const SongModel& song, const PlaybackSettings& settings, TransportState& at,
                PlayCounters& c, TickEvents& out) {
    const PlayRange& r = settings.range;
    const int last = r.lastIn(song.noteCount);
    if (r.loop) {
        at.curNote = r.first;
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
    showPage(settings, at, c, 1, out);
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
        if (metronome) out.push_back(event(EventKind::Click));
    }
}

void noteEvents(const SongModel& song, const PlaybackSettings& settings, int n,
                SoundingNotes& sounding, bool strike, TickEvents& out) {
    out.push_back(event(EventKind::NoteStart, n));
    const NoteMessages messages =
        noteMessages(fretsAt(song, n), settings.sound, settings.pitchOf, sounding, strike);
    for (const NoteMessage& m : messages) {
        PerformanceEvent e = event(EventKind::Message, n);
        e.slot = static_cast<i16>(m.slot);
        e.message = m.message;
        out.push_back(e);
    }
}

void playTick(const SongModel& song, const PlaybackSettings& settings, TransportState& at,
              PlayCounters& c, TickEvents& out) {
    countTick(c, song.metroTicks, settings.metronome, out);
    if (c.noteTicks < lengthBefore(song, settings, at.curNote)) return;
    if (c.leadInLeft > 0) countLeadIn(settings, at, c, out);
    passMarkers(song, settings, at, c, out);
    noteEvents(song, settings, at.curNote, c.sounding, true, out);
    at.curNote = clampInt16(at.curNote + 1);
    c.noteTicks = 0;
    if (at.curNote > settings.range.lastIn(song.noteCount)) atRangeEnd(song, settings, at, c, out);
}

void startPlay(const SongModel& song, const PlaybackSettings& settings, const TransportState& at,
               PlayCounters& c) {
    const int n = at.curNote;
    const int first = song.pageStart[clampTo(at.curPage, 1, kMaxPages)];
    int ticks = 0;
    if (n > 1) {
        c.noteTicks = static_cast<i16>(durationAt(song, n - 1));
        // Markers take no time, so only note lengths set the beat phase.
        for (int i = first; i < n; ++i)
            if (durationAt(song, i) < kLineMarker) ticks += durationAt(song, i);
    }
    if (n == first) c.noteTicks = kNoteDue;
    // The first tick presents the starting note: it clicks when that note falls on a beat of
    // the line, and otherwise the count runs on from the note's place so that every later
    // click meets its beat.
    const int beat = song.metroTicks > 0 ? song.metroTicks : 16;
    c.beatTick = ticks % beat == 0 ? kBeatAfterStop : static_cast<i16>(ticks % beat - 1);
    c.leadInLeft = settings.leadIn > 0 ? clampInt16(settings.leadIn + 1L) : i16{0};
    c.playStartNote = static_cast<i16>(n);
}

}  // namespace lutavo
