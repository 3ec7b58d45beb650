// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sound the player makes, from the desktop's input (a microphone, a guitar's cable): the
// tuner's reading of it, how loud it is, and the notes and chords struck. The hearing runs on a
// thread of its own; the readings may be taken from any thread.

#include <string>
#include <vector>

#include "platform/heard.h"

namespace lutavo {

// An input the desktop offers: the sound server's name for it, and what it says it is.
struct InputChoice {
    std::string id;  // "" for the desktop's default input
    std::string name;
};
inline constexpr const char* kDefaultInputName = "Default input";

class AudioInput {
  public:
    virtual ~AudioInput() = default;
    // Starts hearing the desktop's default input; false, with nothing started, when there is
    // no input to hear. Starting while hearing does nothing.
    virtual bool startListening() = 0;
    // Stops hearing and lets the input go; the readings go back to nothing.
    virtual void stopListening() = 0;
    // The pitch heard now, in hertz; 0 while nothing steady is heard.
    virtual double heardPitch() const = 0;
    // The loudest sample of the last tenth of a second, 0 to 1.
    virtual float heardLevel() const = 0;
    // The oldest strike heard and not yet taken, its time counted from the start of listening;
    // false when there is none. One thread takes them.
    virtual bool takeStrike(HeardOnset& strike) = 0;
    // The inputs there are to choose from, the default first.
    virtual std::vector<InputChoice> inputs() { return {{"", kDefaultInputName}}; }
    // Hears the input of that id from now on ("" the default); one listening moves to it.
    virtual void chooseInput(const std::string& id) { (void)id; }
};

}  // namespace lutavo
