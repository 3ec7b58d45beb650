// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/settings_adjuster.h"
#include "display/fretboard.h"

#include <array>
#include <cmath>
#include <string>

#include "base/numbers.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "core/undo_steps.h"
#include "display/page_render.h"
#include "playback/performer.h"
#include "playback/tempo.h"
#include "playback/transport.h"
#include "song/song_edit.h"
#include "song/song_model.h"
#include "theory/keys.h"

namespace lutavo {

namespace {

// The adjuster's scale picture is 3080 twips wide.
constexpr double kScaleWidth = 3080.0;
// Strings of the capo picture are 215 twips apart, the highest string at the top.
constexpr int kCapoStringPitch = 215;

struct SettingInfo {
    const char* label;  // "" for the editor's button, which shares label 5
    const char* tip;
    const char* picture;
    int slots;
};

constexpr std::array<SettingInfo, 7> kSettings = {{
    {"TIMESIG", "Assign time signature", files::kScaleTimeSig, 6},
    {"KEY", "Assign key signature", files::kScaleKey, 15},
    {"CAPO", "Place a capo on the fretboard", files::kScaleCapo, 8},
    {"VOL", "Adjust MIDI volume", files::kScaleVolume, 10},
    {"TEMPO", "Adjust playback tempo", files::kScaleTempo, 29},
    {"LEAD-IN", "Adjust # of lead-in beats", files::kScaleLeadIn, kLeadInSlots},
    {"", "Adjust # of lead-in beats", files::kScaleNoteLength, kNoteLengthSlots},
}};

double slotWidth(int slots) {
    return (kScaleWidth - kScaleWidth / (2.0 * slots)) / slots;
}

void movePointer(WindowControls& ui, PlaybackState& playback, int slot) {
    ui.lpointer.at.left = playback.swapperSlotX[clampTo(slot, 1, playback.slotCount)];
}

// The slot a setting shows when it is opened, kept inside the scale whatever the song file or
// configuration holds.
int slotShown(const Guitar& g, int button) {
    const auto& s = g.song;
    int slot = 1;
    switch (button) {
        case kSettingTimeSig:
            slot = s.timeSig + 1;
            break;
        case kSettingKey:
            slot = s.songKey;
            break;
        case kSettingCapo:
            slot = s.capo + 1;
            break;
        case kSettingVolume:
            slot = g.config.soundVolume[clampTo(g.config.preferredSound, 0, 3)];
            break;
        case kSettingTempo:
            slot = 31 - s.tempo;
            break;
        case kSettingLeadIn:
            slot = kLeadInSlots - g.config.defaultLeadIn;
            break;
        case kSettingNoteLength: {
            const int dur = s.noteDur[clampTo(g.transport.curNote, -4, 1002)];
            slot = 6;
            if (g.transport.curNote > 0 && dur < kFirstControlCode)
                slot = s.durSymbol[clampTo(dur, 0, 64)];
            break;
        }
        default:
            break;
    }
    return clampTo(slot, 1, kSettings[button].slots);
}

void openScale(Guitar& g, int button) {
    auto& pb = g.playback;
    pb.swapperMode = static_cast<i16>(button == kSettingNoteLength ? kSettingLeadIn : button);
    showScale(g.playback, g.ui, kSettings[button].picture, kSettings[button].slots);
    pb.swapperPos = static_cast<i16>(slotShown(g, button));
    movePointer(g.ui, g.playback, pb.swapperPos);
    if (button == kSettingCapo) pb.oldCapo = g.song.capo;
}

void applyCapo(Guitar& g, int newCapo) {
    const bool moveFrets = !isLibraryMode(g.app.appMode);
    if (!songedit::moveCapo(g.song, newCapo, moveFrets)) {
        showMessage(g,
                    "The capo cannot go to fret " + std::to_string(newCapo) +
                        ": some notes of the song would move off the neck. Change those notes "
                        "first.",
                    "Capo");
        g.playback.swapperPos = static_cast<i16>(g.song.capo + 1);
        return;
    }
    placeCapoPicture(g);
    g.playback.oldCapo = g.song.capo;
    pgScroll_Change(g);
}

void applyVolume(Guitar& g, int volume) {
    auto& pb = g.playback;
    g.config.soundVolume[clampTo(g.config.preferredSound, 0, 3)] = static_cast<i16>(volume);
    pb.sound.velocity = clampTo(12 * volume, 0, 127);
    g.ui.voltxt.caption = std::to_string(volume);
}

void applyTempo(Guitar& g, int tempo) {
    auto& s = g.song;
    s.tempo = static_cast<i16>(tempo);
    applyPlayInterval(g);
}

// Mode 5 is the lead-in on its 9-slot scale and the current note's length on the editor's
// 10-slot scale.
void applyLengthOrLeadIn(Guitar& g, int slot) {
    auto& s = g.song;
    if (g.playback.slotCount == kLeadInSlots) {
        g.config.defaultLeadIn = static_cast<i16>(kLeadInSlots - slot);
        return;
    }
    if (g.app.appMode != kModeEditor) return;
    const int n = g.transport.curNote;
    // Only a real note takes a length: a marker keeps its code, so pages stay intact.
    if (n < 1 || n > s.noteCount || s.noteDur[n] >= kFirstControlCode) return;
    songedit::setLength(s, n, s.durValue[clampTo(slot, 1, kNoteLengthSlots)]);
    pgScroll_Change(g);
}

// The length new notes get in the editor: the chosen slot of the length scale.
i16 chosenLength(const SongModel& song, const PlaybackState& playback) {
    return song.durValue[clampTo(playback.swapperPos, 1, kNoteLengthSlots)];
}

}  // namespace

int beatsPerMinute(long long tickMicros, int beatTicks) {
    const long long beatMicros = tickMicros * beatTicks;
    return beatMicros > 0 ? static_cast<int>(roundHalfEven(60e6 / static_cast<double>(beatMicros)))
                          : 0;
}

void showTempo(WindowControls& ui, const SongModel& song, int percent) {
    ui.tempotxt.caption =
        std::to_string(beatsPerMinute(tickIntervalMicros(song.tempo, percent), song.metroTicks));
    ui.tempopct.caption = std::to_string(percent) + "%";
}

void applyPlayInterval(Guitar& g) {
    showTempo(g.ui, g.song, g.playback.tempoPercent);
    g.ntimer.setMicros(tickIntervalMicros(g.song.tempo, g.playback.tempoPercent));
}

void colourSettingLabels(Guitar& g) {
    auto& labels = g.ui.lblswapper;
    // Time signature, key and capo are offered only in the stopped state.
    const bool stopped = !isPlaying(g) && g.gtimer.enabled;
    for (int i = 0; i <= kSettingLeadIn; ++i) {
        labels[i].color = i > kSettingCapo || stopped ? kColorAvailable : kColorUnavailable;
    }
    labels[clampTo(g.playback.swapperMode, 0, kSettingLeadIn)].color = kColorActive;
}

int slotLeft(int slots, int k) {
    // The scale pictures label slot k at k slot widths, where a press chooses it; a fixed step
    // per scale drifted up to half a slot left of the labels.
    const double tip = kScaleLeft + k * slotWidth(slots);
    return static_cast<int>(std::lround(tip - kSlotPointerWidth / 2.0));
}

int slotAt(int slots, int x) {
    const double slot = roundHalfEven(x / slotWidth(slots));
    if (slot < 1) return 1;
    if (slot > slots) return slots;
    return static_cast<int>(slot);
}

void showScale(PlaybackState& playback, WindowControls& ui, const char* picture, int slots) {
    auto& pb = playback;
    ui.PicSwapper.file = picture;
    pb.slotCount = static_cast<i16>(clampTo(slots, 1, 29));
    for (int k = 1; k <= pb.slotCount; ++k) {
        pb.swapperSlotX[k] = static_cast<i16>(slotLeft(pb.slotCount, k));
    }
}

void setupSettingsPanel(WindowControls& ui) {
    for (int i = 0; i <= kSettingNoteLength; ++i)
        ui.btnSwapper[i].tip = kSettings[i].tip;
    for (int i = 0; i <= kSettingLeadIn; ++i) {
        ui.lblswapper[i].caption = kSettings[i].label;
        ui.lblswapper[i].tip = kSettings[i].tip;
    }
    ui.btnSwapper[kSettingNoteLength].visible = false;
}

void btnSwapper_Click(Guitar& g, int button) {
    if (button < 0 || button > kSettingNoteLength) return;
    // While a song plays only volume, tempo and lead-in can change; the others keep their
    // scale and only the labels show it.
    if (button > kSettingCapo || !isPlaying(g)) openScale(g, button);
    colourSettingLabels(g);
}

void PicSwapper_MouseDown(Guitar& g, int x) {
    auto& pb = g.playback;
    pb.swapperPos = static_cast<i16>(slotAt(pb.slotCount, x));
    movePointer(g.ui, g.playback, pb.swapperPos);
}

void PicSwapper_MouseUp(Guitar& g) {
    auto& pb = g.playback;
    const int slot = clampTo(pb.swapperPos, 1, pb.slotCount);
    const int mode = pb.swapperMode;
    // The capo and a note's length change the song: one step of undo.
    if (isPlaying(g) && mode <= kSettingCapo) {
        movePointer(g.ui, g.playback, pb.swapperPos);
        return;
    }
    recordUndo({g.song, g.transport, g.editor, g.ui.pgScroll.max}, [&] {
        switch (mode) {
            case kSettingTimeSig:
                g.song.timeSig = static_cast<i16>(slot - 1);
                pgScroll_Change(g);
                break;
            case kSettingKey:
                g.song.songKey = static_cast<i16>(slot);
                applyKey(g.keys, g.song.songKey);
                pgScroll_Change(g);
                break;
            case kSettingCapo:
                applyCapo(g, slot - 1);
                break;
            case kSettingVolume:
                applyVolume(g, slot);
                break;
            case kSettingTempo:
                applyTempo(g, 31 - slot);
                break;
            case kSettingLeadIn:
                applyLengthOrLeadIn(g, slot);
                break;
            default:
                break;
        }
    });
    movePointer(g.ui, g.playback, pb.swapperPos);
}

void lpointer_DragOver(WindowControls& ui, int x) {
    auto& at = ui.lpointer.at;
    at.left = at.width / 2 + x;
}

void piccapo_MouseDown(Guitar& g, int y) {
    if (isPlaying(g)) return;
    auto& s = g.song;
    auto& pb = g.playback;
    const int str = kStrings - y / kCapoStringPitch;
    if (y < 0 || str < 1) return;
    g.gtimer.enabled = true;
    if (g.app.appMode == kModeEditor) {
        const int n = g.transport.curNote;
        // A marker (end of page and the like) is not a note: it takes no fret and no length.
        if (n < 0 || n > kMaxNotes || s.noteDur[n] >= kFirstControlCode) return;
        recordUndo({g.song, g.transport, g.editor, g.ui.pgScroll.max}, [&] {
            if (!cursorOnEnterableNote(g)) return;
            songedit::setLength(s, n, chosenLength(g.song, g.playback));
            songedit::setStringFollowed(s, n, str, s.noteFret(n, str) == s.capo ? kSilent : s.capo);
        });
    } else {
        if (!pb.capoSounding) pb.capoSavedNote = g.transport.curNote;
        pb.capoSounding = true;
        g.transport.curNote = 0;
        songedit::setFret(s, kScratchSlot, str, s.capo);
    }
    presentNote(g, kSound);
}

void piccapo_MouseUp(Guitar& g) {
    if (isPlaying(g)) return;
    auto& s = g.song;
    auto& pb = g.playback;
    if (g.app.appMode == kModeEditor) {
        pgScroll_Change(g);
        return;
    }
    // Only a press that sounded the scratch note has anything to undo.
    if (!pb.capoSounding) return;
    songedit::setAllFrets(s, kScratchSlot, kSilent);
    presentNote(g, kShowOnly);
    g.transport.curNote = pb.capoSavedNote;
    pb.capoSounding = false;
}

void showLeadInScaleOnClose(Guitar& g) {
    auto& pb = g.playback;
    pb.swapperMode = kSettingLeadIn;
    showScale(g.playback, g.ui, files::kScaleLeadIn, kLeadInSlots);
    movePointer(g.ui, g.playback, pb.swapperPos);
    pb.swapperPos =
        static_cast<i16>(clampTo(kLeadInSlots - g.config.defaultLeadIn, 1, kLeadInSlots));
    colourSettingLabels(g);
}

}  // namespace lutavo
