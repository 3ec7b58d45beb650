#include "playback/engine.h"

#include "core/guitar.h"
#include "core/messages.h"
#include "display/scrolling.h"
#include "platform/wave_player.h"
#include "playback/settings_adjuster.h"
#include "playback/shownote.h"
#include "playback/transport.h"
#include "song/song_edit.h"
#include "song/song_model.h"

namespace lutavo {

namespace {

// Ticks after a beat at which the lamp goes dark.
constexpr int kLampOnTicks = 4;
constexpr int kLinePointerStep = 100;

bool anySounding(const Guitar& g, int n, bool mutedCounts) {
    for (int s = 1; s <= kStrings; ++s) {
        const int f = g.song.noteFret(n, s);
        if (f >= 0 || (mutedCounts && f == kMuted)) return true;
    }
    return false;
}

bool acceptsBackwards(const Guitar& g, int n, BackStop stop) {
    switch (stop) {
        case BackStop::Sounding:
            return anySounding(g, n, false);
        case BackStop::SoundingOrMuted:
            return anySounding(g, n, true);
        case BackStop::AnyNote:
            return true;
    }
    return false;
}

void turnPageBack(Guitar& g) {
    const auto& bar = g.ui.pgScroll;
    pgScroll_Scroll(g, bar.value > 1 ? bar.value - 1 : bar.max);
    g.song.curPage = static_cast<i16>(bar.value);
}

void beatMetronome(Guitar& g) {
    auto& pb = g.playback;
    if (pb.beatTick == kLampOnTicks) {
        g.ui.mled.color = kLampDark;
    } else if (pb.beatTick >= g.song.metroTicks) {
        pb.beatTick = 0;
        g.ui.mled.color = kLampLit;
        if (g.song.metroOn == 1) playClick(g);
    }
}

// Counts one lead-in beat: a silent count position, or back to the start note after the last.
void countLeadIn(Guitar& g) {
    auto& pb = g.playback;
    pb.leadInLeft = static_cast<i16>(pb.leadInLeft - 1);
    if (pb.leadInLeft == 0) {
        g.song.curNote = pb.playStartNote;
        g.ui.lpointer.at.left = slotLeft(kLeadInSlots, kLeadInSlots - g.config.defaultLeadIn);
        return;
    }
    g.song.curNote = -1;
    g.ui.lpointer.at.left = slotLeft(kLeadInSlots, kLeadInSlots + 1 - pb.leadInLeft);
    if (g.song.metroOn == 0) playClick(g);
}

void atSongEnd(Guitar& g) {
    auto& s = g.song;
    auto& pb = g.playback;
    if (pb.repeatLine != 0) {
        s.curNote = pb.repeatStart;
        return;
    }
    if (s.curNote <= s.noteCount + 1) return;  // the last note still has its full length to run
    pb.beatTick = 0;
    pb.noteTicks = 0;
    if (pb.repeatSong != 0) {
        s.curNote = pb.repeatStart;
        s.curPage = 1;
        pgScroll_Scroll(g, 1);
    } else {
        // A song that ends by itself leaves the labels as STOP would: PLAY no longer red, the
        // song's own settings offered again.
        stopPlaying(g);
        colourTransportLabels(g, kStop);
        colourSettingLabels(g);
    }
}

void stepForward(Guitar& g) {
    auto& s = g.song;
    auto& pb = g.playback;
    if (pb.noteTicks < s.noteDur[s.curNote - 1]) return;
    if (pb.leadInLeft > 0 && !isLibraryMode(g.app.appMode)) countLeadIn(g);
    shownote(g, 1);
    s.curNote = static_cast<i16>(s.curNote + 1);
    pb.noteTicks = 0;
    if (s.curNote > s.noteCount) atSongEnd(g);
}

void windBackwards(Guitar& g) {
    auto& pb = g.playback;
    if (pb.noteTicks < g.song.noteDur[g.song.curNote]) return;
    pb.noteTicks = 0;
    stepBackwards(g, BackStop::Sounding);
    shownote(g, 1);
}

}  // namespace

void ntimer_Timer(Guitar& g) {
    auto& pb = g.playback;
    pb.noteTicks = clampInt16(pb.noteTicks + 1);
    pb.beatTick = clampInt16(pb.beatTick + 1);
    beatMetronome(g);
    if (pb.playMode == kPlayBackwards) {
        windBackwards(g);
    } else {
        stepForward(g);
    }
}

void stepBackwards(Guitar& g, BackStop stop) {
    auto& s = g.song;
    const int first = g.playback.repeatStart;
    for (;;) {
        s.curNote = static_cast<i16>(s.curNote - 1);
        if (s.curNote < first) {
            // Winding past the start keeps presenting the range's first note.
            s.curNote = static_cast<i16>(first);
            return;
        }
        const int code = s.noteDur[s.curNote];
        if (code == kEndOfPage) {
            turnPageBack(g);
        } else if (code == kLineMarker) {
            g.ui.vpointer.at.top = s.noteFret(s.curNote, 1) * kLinePointerStep;
        } else if (code < kLineMarker && acceptsBackwards(g, s.curNote, stop)) {
            return;
        }
    }
}

void preparePlayStart(Guitar& g) {
    auto& s = g.song;
    auto& pb = g.playback;
    const int first = s.pageStart[clampTo(s.curPage, 1, kMaxPages)];
    int ticks = 0;
    if (s.curNote > 1) {
        pb.noteTicks = s.noteDur[s.curNote - 1];
        // Markers take no time, so only note lengths set the beat phase.
        for (int n = first; n < s.curNote; ++n) {
            if (s.noteDur[n] < kLineMarker) ticks += s.noteDur[n];
        }
    }
    if (s.curNote == first) pb.noteTicks = 99;
    // The first tick presents the starting note: it clicks when that note falls on a beat of
    // the line, and otherwise the count runs on from the note's place so that every later
    // click meets its beat. (A count of ticks%16 here, or a count left at 0 by a page drawn
    // before PLAY, clicked one tick ahead of every beat.)
    const int beat = s.metroTicks > 0 ? s.metroTicks : 16;
    pb.beatTick = ticks % beat == 0 ? kBeatAfterStop : static_cast<i16>(ticks % beat - 1);
    const bool countsIn = g.app.appMode != kModeEditor && !isLibraryMode(g.app.appMode);
    const int leadIn = g.config.defaultLeadIn;
    pb.leadInLeft = countsIn && leadIn > 0 ? clampInt16(leadIn + 1L) : i16{0};
    pb.playStartNote = s.curNote;
    songedit::setX(s, kMetroSlot, s.noteX[s.curNote]);
}

void stopPlaying(Guitar& g) {
    g.ntimer.enabled = false;
    g.gtimer.enabled = true;
}

namespace {

PlaybackState::Click findClick(const std::string& appFolder, const std::string& songFolder,
                               const std::string& sound) {
    PlaybackState::Click click{sound, songFolder, appFolder + sound, true, true};
    if (fileExists(click.path)) return click;
    // A song may bring its own click beside it.
    click.found = fileExists(songFolder + sound);
    if (click.found) click.path = songFolder + sound;
    return click;
}

}  // namespace

void playClick(Guitar& g) {
    if (g.sys.wave == nullptr) return;
    PlaybackState::Click& click = g.playback.click;
    if (!click.looked || click.sound != g.song.tickSound || click.songFolder != g.song.songFolder) {
        click = findClick(g.app.appFolder, g.song.songFolder, g.song.tickSound);
    }
    if (!click.found) {
        reportMissingOnce(g, click.path);
        return;
    }
    g.sys.wave->play(click.path);
}

}  // namespace lutavo
