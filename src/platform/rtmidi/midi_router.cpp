#include "platform/rtmidi/midi_router.h"

#include <iostream>

#include "platform/fluidsynth/builtin_synth.h"
#include "platform/fluidsynth/sound_font.h"

namespace lutavo {

MidiRouter::MidiRouter(std::string soundFont, std::ostream& log)
    : soundFont_(std::move(soundFont)), log_(log) {}

MidiRouter::MidiRouter() : MidiRouter(findSoundFont(), std::cerr) {}

MidiRouter::~MidiRouter() {
    close();
}

BuiltInSynth& MidiRouter::synth() {
    // Loading the sound font takes a moment: done once, not at every change of sound.
    if (synth_ == nullptr) synth_ = std::make_unique<BuiltInSynth>(soundFont_);
    return *synth_;
}

int MidiRouter::deviceCount() {
    return ports_.count();
}

std::string MidiRouter::deviceName(int id) {
    if (id == kMidiMapper) return kMidiMapperName;
    return ports_.name(id);
}

bool MidiRouter::open(int id) {
    close();
    if (id == kMidiMapper) {
        BuiltInSynth& s = synth();
        if (!s.live()) {
            if (!synthTroubleTold_) log_ << "lutavo: " << s.problem() << "; playing silently\n";
            synthTroubleTold_ = true;
            return false;
        }
        opened_ = Opened::Synth;
        return true;
    }
    if (!ports_.open(id)) return false;
    opened_ = Opened::Port;
    return true;
}

void MidiRouter::shortMessage(std::uint32_t message) {
    switch (opened_) {
        case Opened::Synth:
            synth_->send(message);
            break;
        case Opened::Port:
            ports_.send(message);
            break;
        case Opened::Nothing:
            break;
    }
}

bool MidiRouter::synthesizerLive() {
    return synth().live();
}

void MidiRouter::close() {
    // Notes still sounding stop with their device, as when a device is unplugged.
    if (opened_ == Opened::Synth) synth_->reset();
    if (opened_ == Opened::Port) ports_.close();
    opened_ = Opened::Nothing;
}

}  // namespace lutavo
