// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Notes from a MIDI guitar or keyboard as strikes: the note-ons of one strum (each string's a
// little after the last) are one chord, given once the strum is over. Whole in this header: the
// sound module, which holds the MIDI inputs, links none of the program's rules.

#include <deque>

#include "platform/heard.h"

namespace lutavo {

class MidiStrums {
  public:
    // A strum's strings come within this time of its first.
    static constexpr long kStrumMs = 40;

    void noteOn(int pitch, long ms) { notes_.push_back({pitch, ms}); }

    // The oldest strum over by nowMs, as a strike sounding its notes; false when there is none.
    bool take(long nowMs, HeardOnset& strike) {
        if (notes_.empty() || nowMs - notes_.front().ms < kStrumMs) return false;
        const long first = notes_.front().ms;
        strike = HeardOnset{first, {}};
        while (!notes_.empty() && notes_.front().ms - first < kStrumMs) {
            strike.rise[static_cast<std::size_t>(notes_.front().pitch % 12)] = 1.0f;
            notes_.pop_front();
        }
        return true;
    }

  private:
    struct Note {
        int pitch;
        long ms;
    };
    std::deque<Note> notes_;
};

}  // namespace lutavo
