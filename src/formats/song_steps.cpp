// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/song_steps.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "formats/score.h"
#include "song/fret_codes.h"

namespace lutavo::fitting {

namespace {

constexpr long kUnitsPerTick = score::kQuarter / 16;
constexpr int kLongestStep = 89;
constexpr int kChunk = 64;  // a step held over from a note longer than one step holds

// The lengths the page draws as one note: a tie inside a bar that makes one of these is one
// step, as a notation program writing a dotted quarter as a quarter tied to an eighth meant.
bool drawnAsOneNote(int ticks) {
    static constexpr std::array<int, 10> kLengths = {2, 4, 6, 8, 12, 16, 24, 32, 48, 64};
    return std::find(kLengths.begin(), kLengths.end(), ticks) != kLengths.end();
}

std::vector<int> splitLength(int ticks, bool bentHalf) {
    std::vector<int> halves = {ticks};
    if (bentHalf && ticks >= 2) halves = {ticks / 2, ticks - ticks / 2};
    std::vector<int> out;
    for (int h : halves) {
        while (h > kLongestStep) {
            out.push_back(kChunk);
            h -= kChunk;
        }
        out.push_back(h);
    }
    return out;
}

class StepBuilder {
  public:
    explicit StepBuilder(LostItems& lost) : lost_(lost) { sounding_.fill(kSilent); }

    void addBar(const std::vector<PlayedBeat>& beats, std::vector<Step>& out) {
        for (std::size_t i = 0; i < beats.size(); ++i)
            addBeat(beats[i], i == 0, out);
    }

  private:
    // Rounds each length to the nearest tick unless the piece's position would then stray a
    // whole tick from where the score has it.
    int ticksFor(long units) {
        const long exactEnd = exact_ + units;
        int t = static_cast<int>(roundHalfEven(static_cast<double>(units) / kUnitsPerTick));
        if (std::labs((ticks_ + t) * kUnitsPerTick - exactEnd) >= kUnitsPerTick) {
            t = static_cast<int>(roundHalfEven(
                static_cast<double>(exactEnd - ticks_ * kUnitsPerTick) / kUnitsPerTick));
        }
        t = std::max(t, 0);
        exact_ = exactEnd;
        ticks_ += t;
        return t;
    }

    void addBeat(const PlayedBeat& beat, bool barStart, std::vector<Step>& out) {
        const int ticks = ticksFor(beat.units);
        if (ticks < 1) {
            lost_.add(Lost::TooShort, static_cast<int>(beat.notes.size()));
            return;
        }
        StringFrets frets;
        frets.fill(kSilent);
        std::array<bool, kStrings> bent{};
        bool anyBent = false;
        for (const SlotNote& n : beat.notes) {
            i16& code = frets[static_cast<std::size_t>(n.slot - 1)];
            if (code != kSilent) {
                lost_.add(Lost::NoString);
                continue;
            }
            const bool continues =
                n.tied && sounding_[static_cast<std::size_t>(n.slot - 1)] == n.fret;
            if (n.dead) {
                code = kMuted;
            } else if (continues) {
                code = static_cast<i16>(n.bend ? kBend : kHeldBase + n.fret);
            } else {
                code = static_cast<i16>(n.fret);
                bent[static_cast<std::size_t>(n.slot - 1)] = n.bend;
                anyBent = anyBent || n.bend;
            }
        }
        const std::vector<int> lengths = splitLength(ticks, anyBent);
        if (!barStart && lengths.size() == 1 && extendsLast(frets, ticks, out)) return;
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            if (i > 0) frets = continuation(frets, bent, anyBent && i >= lengths.size() / 2);
            push(lengths[i], frets, out);
        }
    }

    // A beat that only holds what the last step sounds, where together they make one note.
    bool extendsLast(const StringFrets& frets, int ticks, std::vector<Step>& out) const {
        if (out.empty() || !drawnAsOneNote(out.back().ticks + ticks)) return false;
        const Step& last = out.back();
        bool holds = false;
        for (std::size_t s = 0; s < frets.size(); ++s) {
            const bool wasSounding = hasFret(last.frets[s]);
            if (isHeld(frets[s]) && wasSounding && fretOf(frets[s]) == fretOf(last.frets[s])) {
                holds = true;
            } else if (frets[s] != kSilent || wasSounding) {
                return false;
            }
        }
        if (!holds) return false;
        out.back().ticks += ticks;
        return true;
    }

    // The steps after the first of one beat: struck and held strings hold, a bend stays bent
    // (each step bends anew from the centre), a muted string is silent.
    static StringFrets continuation(const StringFrets& first,
                                    const std::array<bool, kStrings>& bent, bool bending) {
        StringFrets next = first;
        for (std::size_t s = 0; s < next.size(); ++s) {
            i16& code = next[s];
            if (hasFret(code)) {
                code = bending && bent[s] ? static_cast<i16>(kBend)
                                          : static_cast<i16>(kHeldBase + fretOf(code));
            } else if (code == kMuted) {
                code = kSilent;
            }
        }
        return next;
    }

    void push(int ticks, const StringFrets& frets, std::vector<Step>& out) {
        for (std::size_t s = 0; s < frets.size(); ++s) {
            if (hasFret(frets[s])) {
                sounding_[s] = static_cast<i16>(fretOf(frets[s]));
            } else if (frets[s] != kBend) {
                sounding_[s] = kSilent;
            }
        }
        out.push_back({ticks, frets, sounding_});
    }

    LostItems& lost_;
    StringFrets sounding_{};
    long exact_ = 0;  // where the score has the next beat, in units
    long ticks_ = 0;  // where the song has it, in ticks
};

}  // namespace

std::vector<std::vector<Step>> buildSteps(const std::vector<std::vector<PlayedBeat>>& bars,
                                          LostItems& lost) {
    StepBuilder builder(lost);
    std::vector<std::vector<Step>> out(bars.size());
    for (std::size_t b = 0; b < bars.size(); ++b)
        builder.addBar(bars[b], out[b]);
    return out;
}

}  // namespace lutavo::fitting
