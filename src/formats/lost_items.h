// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an imported file held that a song cannot: counted while reading and fitting, and told to
// the user in one line after the import ("Not kept: 12 slides, 4 hammer-ons, lyrics").

#include <array>
#include <string>

namespace lutavo {

enum class Lost : int {
    Slide,
    HammerOn,
    PullOff,
    Legato,
    Vibrato,
    Harmonic,
    GraceNote,
    Trill,
    TremoloPicking,
    PalmMute,
    LetRing,
    Staccato,
    Accent,
    Strum,
    SlapPop,
    BarDip,
    Dynamics,
    Fingering,
    Lyrics,
    ChordName,
    Text,
    Marker,
    SoundChange,
    OtherVoice,
    ExtraString,
    TooShort,
    NoString,
    OctaveMoved,
    TempoChange,
    TimeChange,
    KeyChange,
    Jump,
    TieOverLine,
    Tail,
    kCount,
};

class LostItems {
  public:
    void add(Lost what, int n = 1);
    void merge(const LostItems& other);
    int count(Lost what) const { return counts_[static_cast<std::size_t>(what)]; }
    bool empty() const;
    // "Not kept: 12 slides, 4 hammer-ons, lyrics", or "" when everything was kept.
    std::string message() const;

  private:
    std::array<int, static_cast<std::size_t>(Lost::kCount)> counts_{};
};

}  // namespace lutavo
