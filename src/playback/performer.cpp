// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/performer.h"

#include "core/guitar.h"
#include "core/messages.h"
#include "display/shownote.h"
#include "platform/midi_out.h"
#include "platform/sound_clock.h"
#include "platform/wave_player.h"
#include "playback/engine.h"
#include "playback/settings_adjuster.h"
#include "playback/trainer_passes.h"
#include "playback/transport.h"

namespace lutavo {

namespace {

void moveLeadInPointer(ConfigState& config, WindowControls& ui, int countsLeft) {
    const int slot =
        countsLeft == 0 ? kLeadInSlots - config.defaultLeadIn : kLeadInSlots + 1 - countsLeft;
    ui.lpointer.at.left = slotLeft(kLeadInSlots, slot);
}

// When the scoring follows the play: what it did, and when that is heard.
void cue(PlaybackState& playback, const Services& sys, int page, PlayCue::Kind kind, int note = 0) {
    if (!playback.keepCues) return;
    const long delay = sys.midi != nullptr ? sys.midi->heardDelayMs() : 0;
    playback.cues.push_back({kind, note, page, steadyMs(sys.clock) + delay});
}

// A song that ends by itself leaves the labels as STOP would: PLAY no longer red, the song's
// own settings offered again.
void endPlay(Guitar& g) {
    cue(g.playback, g.sys, g.transport.curPage, PlayCue::Kind::End);
    stopPlaying(g.ntimer, g.gtimer);
    colourTransportLabels(g, kStop);
    colourSettingLabels(g);
}

// False when the event ended the play: what the tick sent after it is not performed.
bool performOne(Guitar& g, const PerformanceEvent& e) {
    switch (e.kind) {
        case EventKind::Message:
            if (g.sys.midi != nullptr) g.sys.midi->shortMessage(e.message);
            break;
        case EventKind::Click:
            playClick(g);
            break;
        case EventKind::Beat:
            g.ui.mled.color = kLampLit;
            break;
        case EventKind::BeatEnd:
            g.ui.mled.color = kLampDark;
            break;
        case EventKind::LeadIn:
            moveLeadInPointer(g.config, g.ui, e.value);
            break;
        case EventKind::PageTurn: {
            // The tick has set its counts for the new page; a redraw must not set them again.
            const PlayCounters counts = g.playback.counters;
            showPageOf(g, e.value);
            g.playback.counters = counts;
            break;
        }
        case EventKind::LineMarker:
            moveLinePointer(g.ui, e.value);
            break;
        case EventKind::NoteStart:
            shownote(g, e.note);
            cue(g.playback, g.sys, g.transport.curPage, PlayCue::Kind::Note, e.note);
            break;
        case EventKind::End:
            endPlay(g);
            return false;
        case EventKind::PassBegins:
            if (trainerPassBegins(g)) {
                cue(g.playback, g.sys, g.transport.curPage, PlayCue::Kind::PassBegins);
                break;
            }
            endTrainer(g);
            endPlay(g);
            return false;
    }
    return true;
}

}  // namespace

PlaybackSettings liveSettings(const Guitar& g) {
    PlaybackSettings s;
    s.sound = g.playback.sound;
    s.pitchOf = g.tuning.pitchOf;
    s.tempo = g.song.tempo;
    s.metronome = g.song.metroOn == 1;
    const bool countsIn = g.app.appMode != kModeEditor && !isLibraryMode(g.app.appMode);
    s.leadIn = countsIn ? g.config.defaultLeadIn : 0;
    s.range = g.transport.range;
    s.repeatSong = g.transport.repeatSong;
    // The trainer's count-in: the lead-in's beats, four where there is none.
    constexpr int kCountInWithoutLeadIn = 4;
    const SpeedPlan& plan = g.playback.trainerPlan;
    if (g.playback.trainerOn && plan.countIn)
        s.passCountIn = g.config.defaultLeadIn > 0 ? g.config.defaultLeadIn : kCountInWithoutLeadIn;
    s.pageCount = g.ui.pgScroll.max;
    s.drawnPages = !g.ui.pagepic.visible || isLibraryMode(g.app.appMode);
    return s;
}

void perform(Guitar& g, const TickEvents& events) {
    for (const PerformanceEvent& e : events) {
        if (!performOne(g, e)) return;
    }
}

void presentNote(Guitar& g, int mode) {
    const PlaybackSettings settings = liveSettings(g);
    TickEvents events;
    passMarkers(g.song, settings, g.transport, g.playback.counters, events);
    noteEvents(g.song, settings, g.transport.curNote, g.playback.counters.sounding, mode == kSound,
               events);
    perform(g, events);
}

void playClick(Guitar& g) {
    if (g.sys.wave == nullptr) return;
    PlaybackState::Click& click = g.playback.click;
    if (!click.looked || click.sound != g.song.tickSound || click.songFolder != g.song.songFolder)
        click = {g.song.tickSound, g.song.songFolder, clickClipPath(g.app.appFolder, g.song), true};
    if (click.path) {
        g.sys.wave->play(*click.path);
    } else {
        reportMissingOnce(g, g.app.appFolder + g.song.tickSound);
    }
}

std::optional<std::string> clickClipPath(const std::string& appFolder, const SongModel& song) {
    for (const std::string& path : {appFolder + song.tickSound, song.songFolder + song.tickSound})
        if (fileExists(path)) return path;
    return std::nullopt;
}

}  // namespace lutavo
