// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/sound.h"

#include <string>

#include "config/config_file.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "display/fretboard.h"
#include "platform/midi_out.h"
#include "playback/note_sound.h"
#include "playback/performer.h"
#include "playback/transport.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

// The sound test sounds through the spare note slot -2.
constexpr int kTestNote = kTestChordSlot;

int clampSound(int p) {
    return clampTo(p, 0, 3);
}

void closeDevice(Services& sys) {
    if (sys.midi != nullptr) sys.midi->close();
}

// Channel, velocity and octave shift of the sound in use, then the device and its programs.
void reopenDevice(Guitar& g) {
    const auto& c = g.config;
    const int p = clampSound(c.preferredSound);
    g.playback.sound = soundOf(c);
    if (g.sys.midi != nullptr) {
        g.sys.midi->open(c.soundDevice[p] - 1);
        for (std::uint32_t message : programChanges(g.playback.sound))
            g.sys.midi->shortMessage(message);
    }
    g.ui.voltxt.caption = std::to_string(c.soundVolume[p]);
}

void setTestChord(SongModel& song, int fret) {
    songedit::setAllFrets(song, kTestNote, fret);
}

void soundTestChord(Guitar& g) {
    g.ntimer.enabled = false;
    g.transport.curNote = kTestNote;
    setTestChord(g.song, 0);
    songedit::setLength(g.song, kTestNote, 1);
    presentNote(g, kSound);
}

void stopTestChord(Guitar& g) {
    g.transport.curNote = kTestNote;
    setTestChord(g.song, kSilent);
    presentNote(g, kShowOnly);
    g.transport.curNote = 1;
}

void switchSound(Guitar& g, int index) {
    closeDevice(g.sys);
    g.ui.outbtn[kSoundButtonFirst + clampSound(g.config.preferredSound)].visible = false;
    g.config.preferredSound = static_cast<i16>(index);
    g.ui.outbtn[kSoundButtonFirst + index].visible = true;
    applysound(g);
}

// Fills an empty menu; returns false when it already had its items.
bool addItems(Menu& menu, std::initializer_list<const char*> captions) {
    if (!menu.items.empty()) return false;
    for (const char* c : captions)
        menu.items.push_back(MenuItem{c});
    return true;
}

}  // namespace

SoundSettings soundOf(const ConfigState& c) {
    const int p = clampSound(c.preferredSound);
    SoundSettings sound;
    // A configuration without a channel (0) plays on the first one rather than nowhere.
    sound.channel = clampTo(c.soundChannel[p] - 1, 0, 15);
    sound.program = clampTo(c.soundPatch[p], 0, 127);
    sound.velocity = clampTo(c.soundVolume[p] * 12, 0, 127);
    sound.shift = c.soundOctave[p] * 12;
    return sound;
}

void applysound(Guitar& g) {
    const int request = g.app.pendingSoundAction;
    setfretboard(g);
    if (request >= kSoundReopen && request <= kSoundTestDown) {
        closeDevice(g.sys);
        if (request == kSoundSetupCancel) readconfig(g);
        reopenDevice(g);
        if (request == kSoundTestDown) soundTestChord(g);
    } else if (request == kSoundTestUp) {
        stopTestChord(g);
    } else if (request == kSoundSave) {
        writeconfig(g);
    }
    g.app.pendingSoundAction = kSoundReopen;
    g.ui.outtxt[kSoundLabel].color = kColorAvailable;
}

void setupPlaybackControls(Guitar& g) {
    auto& ui = g.ui;
    ui.mnuSound.caption = "Sound";
    if (addItems(ui.mnuSound, {kSoundNames[0], kSoundNames[1], kSoundNames[2], kSoundNames[3]})) {
        ui.mnuSound.items[static_cast<std::size_t>(clampSound(g.config.preferredSound))].checked =
            true;
    }
    ui.mnuRepeat.caption = "Repeat";
    if (addItems(ui.mnuRepeat,
                 {"Repeat current line", "Repeat song", "Cancel repeat", "-",
                  "Practice progress...", "Wait for each note", "Score my playing"})) {
        ui.mnuRepeat.items[kRepeatMenuCancel].checked = true;
    }
    setupTransportLabels(g);
}

void mnuSoundtype_Click(Guitar& g, int index) {
    if (index < 0 || index > 3) return;
    setupPlaybackControls(g);
    for (std::size_t i = 0; i < 4; ++i) {
        g.ui.mnuSound.items[i].checked = static_cast<int>(i) == index;
    }
    switchSound(g, index);
}

void selectSound(Guitar& g, int index) {
    if (index < 0 || index > 3) return;
    switchSound(g, index);
}

}  // namespace lutavo
