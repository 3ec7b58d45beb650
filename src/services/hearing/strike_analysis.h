// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pieces that hear strikes, shared by a recorded take and the live input: the onset detector,
// a spectrum window that is made once and reused, and the rule that tells a strike from a note's
// own wavering and gives the pitch classes it brought.

#include <memory>
#include <optional>
#include <vector>

#include "platform/heard.h"

namespace lutavo {

// About 90 ms at the usual rates: long enough to part a low string's overtones, short enough
// that the next note of a quick run is rarely inside it.
inline constexpr long kSpectrumWindow = 4096;
// The onset detector's step.
inline constexpr long kOnsetHop = 256;
// The rise is measured from just before the strike to just after it.
inline constexpr long kBeforeMs = 5;
inline constexpr long kAfterMs = 15;

long framesOf(long ms, int rate);

// Where the spectrum before a strike at frame starts, and where the one after it does.
long beforeStart(long frame, int rate);
long afterStart(long frame, int rate);

class SpectrumWindow {
  public:
    SpectrumWindow();
    ~SpectrumWindow();
    SpectrumWindow(const SpectrumWindow&) = delete;
    SpectrumWindow& operator=(const SpectrumWindow&) = delete;

    // The kSpectrumWindow samples to analyse, filled by the caller.
    float* frame();
    // The magnitudes of the frame's spectrum; allocates nothing.
    std::vector<float>& analyse();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    std::vector<float> magnitudes_;
};

class OnsetDetector {
  public:
    explicit OnsetDetector(int rate);
    ~OnsetDetector();
    OnsetDetector(const OnsetDetector&) = delete;
    OnsetDetector& operator=(const OnsetDetector&) = delete;

    // Takes the next kOnsetHop samples; the frame of an onset found in them, else -1.
    long feed(const float* hop);

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

// The pitch classes a strike brought, from the spectra before and after an onset; nothing when
// the onset is no strike. Changes after.
std::optional<Chroma> strikeRise(const std::vector<float>& before, std::vector<float>& after,
                                 int rate);

}  // namespace lutavo
