// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/voicing_search.h"

namespace lutavo {

namespace {

constexpr int kStartCost = 20;
constexpr int kWindowFrets = 4;
constexpr int kLowestRootSlot = 1;
constexpr int kHighestRootSlot = 3;
constexpr int kMinStrings = 3;

// A string tuned below the open low E has negative pitches near the nut: the remainder is
// taken upwards, so the open low D of dropped D is a D like any other.
int pitchClass(int pitch) {
    return (pitch % 12 + 12) % 12;
}

struct Search {
    int root;
    std::span<const int> semitones;
    std::span<const int> needed;
    const PitchTable& pitchOf;

    int tone(std::size_t d) const { return (semitones[d] + root) % 12; }

    // A shape sounds the chord when every tone it needs is on one of its strings.
    bool soundsTheChord(const ChordShape& shape) const {
        std::array<bool, 12> heard{};
        for (int s = 1; s <= 6; ++s) {
            const int fret = shape[static_cast<std::size_t>(s - 1)];
            if (fret >= 0) heard[static_cast<std::size_t>(pitchClass(pitchOf(s, fret)))] = true;
        }
        for (int t : needed) {
            if (!heard[static_cast<std::size_t>(pitchClass(t + root))]) return false;
        }
        return true;
    }

    // The best fret of string s inside the window for a root at pos: the cost falls towards
    // the window's top, and a degree already taken on this string costs one more. The last
    // degree of the formula starts one cheaper than the others.
    int bestFret(int s, int start, int pos) const {
        std::array<int, 8> used{};
        const std::size_t count = semitones.size();
        for (std::size_t d = 0; d < count; ++d)
            used[d] = d + 1 < count ? 1 : 0;
        int best = -1;
        int bestCost = kStartCost;
        for (int w = 0; w < kWindowFrets; ++w) {
            const int f = start + w;
            if (f > kTopFret) break;
            const int pc = pitchClass(pitchOf(s, f));
            for (std::size_t d = count; d-- > 0;) {
                if (pc != tone(d)) continue;
                const int cost = pos + used[d] - w;
                if (cost < bestCost) {
                    bestCost = cost;
                    best = f;
                    ++used[d];
                }
            }
        }
        return best;
    }

    // The shape of one window, or nothing when fewer than three strings above the root sound.
    bool shapeAt(int rootSlot, int pos, int start, ChordShape& shape) const {
        shape.fill(-1);
        shape[static_cast<std::size_t>(rootSlot - 1)] = static_cast<i16>(pos);
        int found = 0;
        for (int s = 6; s > rootSlot; --s) {
            const int best = bestFret(s, start, pos);
            if (best < 0) continue;
            shape[static_cast<std::size_t>(s - 1)] = static_cast<i16>(best);
            ++found;
        }
        return found >= kMinStrings;
    }
};

}  // namespace

std::vector<ChordShape> findVoicings(int root, std::span<const int> semitones,
                                     std::span<const int> needed, const PitchTable& pitchOf,
                                     int capo) {
    std::vector<ChordShape> shapes;
    if (semitones.empty() || semitones.size() > 8) return shapes;
    shapes.reserve(kMaxShapes);
    const Search search{root, semitones, needed, pitchOf};
    ChordShape previous;
    previous.fill(-1);  // the silent slot before the first shape
    ChordShape shape;
    for (int pos = capo; pos < capo + kRootPositions && pos <= kTopFret; ++pos) {
        for (int rootSlot = kLowestRootSlot; rootSlot <= kHighestRootSlot; ++rootSlot) {
            if (pitchClass(pitchOf(rootSlot, pos)) != root) continue;
            for (int start = pos - kWindowFrets + 1; start <= pos; ++start) {
                if (start < capo) continue;
                if (!search.shapeAt(rootSlot, pos, start, shape) || shape == previous) continue;
                if (!search.soundsTheChord(shape)) continue;
                shapes.push_back(shape);
                previous = shape;
            }
        }
    }
    return shapes;
}

}  // namespace lutavo
