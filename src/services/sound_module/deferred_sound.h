// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's MIDI output and wave player while the sound module opens on a thread of its own,
// started once the window has painted. What is asked for meanwhile waits: the device opened, its
// set-up messages and the last clip go to the module when it is in; a note (as with the sound
// font) and the device list wait for it. Without the module the program runs silent, and says so
// once when the built-in synthesizer is opened or played.

#include <cstdint>
#include <functional>
#include <future>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/midi_out.h"
#include "platform/wave_player.h"
#include "services/sound_module/sound_module.h"

namespace lutavo {

class SoundClock;

class DeferredSound : public MidiOut, public WavePlayer {
  public:
    // Gives the module, or null with the reason in problem. Called on the loading thread.
    using Opener = std::function<SoundModule*(std::string& problem)>;

    DeferredSound(Opener open, const SoundClock* clock, std::ostream& log);
    ~DeferredSound() override;
    DeferredSound(const DeferredSound&) = delete;
    DeferredSound& operator=(const DeferredSound&) = delete;

    // Starts opening the module, once; every call that needs the module starts it too.
    void load();
    // The live sound once loaded, waiting for it; null without the module.
    LiveSound* live();

    int deviceCount() override;
    std::string deviceName(int id) override;
    bool open(int id) override;
    void shortMessage(std::uint32_t message) override;
    void close() override;
    void cancelScheduled() override;
    bool synthesizerLive() override;
    long heardDelayMs() override;

    bool play(const std::string& path) override;

  private:
    void loadNow();
    void handOver();
    void waitLoaded();
    bool failed() const { return !problem_.empty(); }
    void tellNoSound();

    Opener open_;
    const SoundClock* clock_;
    std::ostream& log_;
    // The loading thread hands over under the lock; the window thread calls under it.
    std::mutex mutex_;
    std::shared_future<void> loading_;
    std::unique_ptr<LiveSound> live_;
    std::string problem_;  // why there is no module
    bool told_ = false;
    // Asked for before the module was in.
    std::optional<int> opened_;
    std::vector<std::uint32_t> waiting_;
    std::string clip_;
};

}  // namespace lutavo
