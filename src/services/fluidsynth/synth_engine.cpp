// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/synth_engine.h"

#include <fluidsynth.h>

#include <string>

#include "services/fluidsynth/short_message.h"
#include "services/fluidsynth/sound_font.h"

namespace lutavo {

namespace {

// The General MIDI drum kits' bank, which the synthesizer gives the percussion channel.
constexpr int kPercussionBank = 128;

}  // namespace

SynthEngine::SynthEngine(const std::string& soundFont, int sampleRate) {
    quietSoundLibraries();
    if (soundFont.empty()) {
        problem_ = "no General MIDI sound font found (set LUTAVO_SOUNDFONT)";
        return;
    }
    settings_ = new_fluid_settings();
    if (settings_ == nullptr) {
        problem_ = "the synthesizer could not start";
        return;
    }
    // A rate the synthesizer does not take would leave it at its own, every note off pitch.
    if (fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate) != FLUID_OK) {
        problem_ = "the synthesizer cannot run at " + std::to_string(sampleRate) + " Hz";
        return;
    }
    fluid_settings_setnum(settings_, "synth.gain", kSynthGain);
    fluid_settings_setint(settings_, "synth.polyphony", kSynthPolyphony);
    // A sound's samples are read when a channel first selects it: the guitars take a few
    // hundred kilobytes of a font whose samples fill megabytes, and reading them one at a time
    // needs no pool of threads.
    fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
    synth_ = new_fluid_synth(settings_);
    if (synth_ == nullptr) {
        problem_ = "the synthesizer could not start";
        return;
    }
    // Checked first: a file that is no sound font at all makes the loader complain aloud.
    if (fluid_is_soundfont(soundFont.c_str()) != 0)
        fontId_ = fluid_synth_sfload(synth_, soundFont.c_str(), 1);
    if (fontId_ < 0) {
        problem_ = "the sound font " + soundFont + " could not be loaded";
        return;
    }
    // What a reset selects on every channel stays read, so a reset never waits for the disk.
    fluid_synth_pin_preset(synth_, fontId_, 0, 0);
    fluid_synth_pin_preset(synth_, fontId_, kPercussionBank, 0);
}

SynthEngine::~SynthEngine() {
    if (synth_ != nullptr) delete_fluid_synth(synth_);
    if (settings_ != nullptr) delete_fluid_settings(settings_);
}

void SynthEngine::send(std::uint32_t message) {
    if (ready()) playShortMessage(synth_, message);
}

void SynthEngine::prepare(std::uint32_t message) {
    const ShortMessage m = decodeShortMessage(message);
    if (!ready() || m.kind() != kProgramChange) return;
    int font = 0;
    int bank = 0;
    int program = 0;
    if (fluid_synth_get_program(synth_, m.channel, &font, &bank, &program) != FLUID_OK) return;
    // A program the font lacks leaves the channel as it is: nothing to read.
    fluid_synth_pin_preset(synth_, fontId_, bank, m.data1);
}

void playShortMessage(fluid_synth_t* synth, std::uint32_t message) {
    const ShortMessage m = decodeShortMessage(message);
    switch (m.kind()) {
        case kNoteOff:
            fluid_synth_noteoff(synth, m.channel, m.data1);
            break;
        case kNoteOn:  // velocity 0 is a note-off; FluidSynth treats it so
            fluid_synth_noteon(synth, m.channel, m.data1, m.data2);
            break;
        case kKeyPressure:
            fluid_synth_key_pressure(synth, m.channel, m.data1, m.data2);
            break;
        case kControlChange:
            fluid_synth_cc(synth, m.channel, m.data1, m.data2);
            break;
        case kProgramChange:
            fluid_synth_program_change(synth, m.channel, m.data1);
            break;
        case kChannelPressure:
            fluid_synth_channel_pressure(synth, m.channel, m.data1);
            break;
        case kPitchBend:
            fluid_synth_pitch_bend(synth, m.channel, m.data1 | (m.data2 << 7));
            break;
        case kSystemReset:
            fluid_synth_system_reset(synth);
            break;
        default:
            break;
    }
}

void SynthEngine::reset() {
    if (synth_ != nullptr) fluid_synth_system_reset(synth_);
}

}  // namespace lutavo
