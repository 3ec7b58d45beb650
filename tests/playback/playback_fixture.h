// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The playback rig in a fixture, with the questions the playback tests ask of what was sent.

#include <gtest/gtest.h>

#include <vector>

#include "fakes/midi_messages.h"
#include "fakes/playback_rig.h"

namespace lutavo::test {

using Msgs = std::vector<std::uint32_t>;
using Ints = std::vector<int>;
using Times = std::vector<long>;

class PlaybackTest : public ::testing::Test {
  protected:
    Rig rig;
    Guitar& g = playbackReady(rig);

    // The notes, and the virtual times, of the note-ons sent so far.
    Ints sounded() const {
        Ints out;
        for (auto m : msg::noteOns(rig.midi.messages()))
            out.push_back(msg::noteOf(m));
        return out;
    }
    Times noteOnTimes() const {
        Times out;
        for (const auto& m : rig.midi.sent)
            if (!msg::noteOns({m.message}).empty()) out.push_back(m.timeMs);
        return out;
    }
    void showPage(int page) {
        g.transport.curPage = static_cast<i16>(page);
        g.ui.pgScroll.value = page;
    }
};

}  // namespace lutavo::test
