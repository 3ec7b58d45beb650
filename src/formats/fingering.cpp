// SPDX-License-Identifier: GPL-3.0-or-later
// Each chord's possible fingerings are enumerated (at most six notes on six strings), then one
// pass over the piece chooses among them, keeping for every possible hand position the cheapest
// way to reach it. A hand position covers four frets from its lowest fretted note; leaving it
// is a shift, and a shift costs more than any choice within one position.

#include "formats/fingering.h"

#include <algorithm>
#include <limits>
#include <map>

#include "song/song_model.h"

namespace lutavo {

namespace {

constexpr int kHandFrets = 4;
constexpr double kShift = 10;
constexpr double kShiftPerFret = 0.1;
constexpr double kStretchPerFret = 4;
constexpr double kHeightPerFret = 0.2;
constexpr double kFretPerNote = 0.1;  // an open string is easier than a fretted one
constexpr double kDropped = 40;
constexpr std::size_t kMaxCandidates = 2000;
constexpr int kNoWindow = -1;
constexpr int kWindows = kHighestFret + 2;  // kNoWindow and frets 0..23

struct Candidate {
    std::vector<Placement> placed;
    int low = kNoWindow;  // lowest fretted note, kNoWindow when every string is open
    int high = kNoWindow;
    double cost = 0;
};

int lowestPitch(const GuitarStrings& g) {
    return *std::min_element(g.open.begin(), g.open.end()) + g.capo;
}

int highestPitch(const GuitarStrings& g) {
    return *std::max_element(g.open.begin(), g.open.end()) + kHighestFret;
}

// Brings a note the neck cannot reach into its range by octaves.
int reachable(int pitch, const GuitarStrings& g, LostItems& lost) {
    const int low = lowestPitch(g);
    const int high = highestPitch(g);
    if (pitch >= low && pitch <= high) return pitch;
    int p = pitch;
    while (p < low)
        p += 12;
    while (p > high)
        p -= 12;
    if (p < low) return -1;
    lost.add(Lost::OctaveMoved);
    return p;
}

class CandidateSearch {
  public:
    CandidateSearch(const ChordToPlace& chord, const GuitarStrings& strings,
                    const std::vector<int>& pitches)
        : chord_(chord), strings_(strings), pitches_(pitches) {}

    std::vector<Candidate> run(bool allowDrops) {
        allowDrops_ = allowDrops;
        used_ = chord_.fixed;
        current_.assign(pitches_.size(), Placement{});
        place(0, 0);
        return std::move(found_);
    }

  private:
    void place(std::size_t i, int dropped) {
        if (leaves_ >= kMaxCandidates) return;
        if (i == pitches_.size()) {
            ++leaves_;
            keep(dropped);
            return;
        }
        for (int slot = 1; slot <= kStrings; ++slot) {
            const int fret = pitches_[i] - strings_.open[static_cast<std::size_t>(slot - 1)];
            int& taken = used_[static_cast<std::size_t>(slot - 1)];
            if (taken >= 0 || fret < strings_.capo || fret > kHighestFret) continue;
            taken = fret;
            current_[i] = {slot, fret, pitches_[i]};
            place(i + 1, dropped);
            taken = -1;
        }
        if (allowDrops_) {
            current_[i] = {0, -1, pitches_[i]};
            place(i + 1, dropped + 1);
        }
    }

    // The fingering just completed, kept when it is the cheapest yet that puts the hand at its
    // frets: the choice between chords sees nothing else of it.
    void keep(int dropped) {
        int low = kNoWindow, high = kNoWindow;
        for (int fret : used_) {
            if (fret <= strings_.capo) continue;
            low = low == kNoWindow ? fret : std::min(low, fret);
            high = std::max(high, fret);
        }
        const int span = low == kNoWindow ? 0 : high - low + 1;
        int frets = 0;
        for (const Placement& p : current_)
            frets += std::max(0, p.fret - strings_.capo);
        const double cost = kStretchPerFret * std::max(0, span - kHandFrets) +
                            kHeightPerFret * std::max(0, low) + kFretPerNote * frets +
                            kDropped * dropped;
        for (Candidate& c : found_) {
            if (c.low != low || c.high != high) continue;
            if (cost < c.cost) c = {current_, low, high, cost};
            return;
        }
        found_.push_back({current_, low, high, cost});
    }

    const ChordToPlace& chord_;
    const GuitarStrings& strings_;
    const std::vector<int>& pitches_;
    bool allowDrops_ = false;
    std::array<int, 6> used_{};
    std::vector<Placement> current_;
    std::vector<Candidate> found_;
    std::size_t leaves_ = 0;
};

std::vector<Candidate> candidatesFor(const ChordToPlace& chord, const GuitarStrings& strings,
                                     LostItems& lost) {
    // Six strings take six notes: of a larger chord the highest are tried, the rest left out.
    std::vector<int> reached;
    for (int p : chord.pitches)
        reached.push_back(reachable(p, strings, lost));
    std::vector<std::size_t> order(reached.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return reached[a] > reached[b]; });
    order.resize(std::min<std::size_t>(order.size(), kStrings));
    std::vector<int> pitches;
    for (std::size_t i : order)
        pitches.push_back(reached[i]);

    std::vector<Candidate> found = CandidateSearch(chord, strings, pitches).run(false);
    if (found.empty()) found = CandidateSearch(chord, strings, pitches).run(true);
    for (Candidate& c : found) {
        // Back in the chord's own order, the notes left out without a string.
        std::vector<Placement> placed;
        for (std::size_t i = 0; i < reached.size(); ++i)
            placed.push_back({0, -1, reached[i]});
        for (std::size_t k = 0; k < order.size(); ++k)
            placed[order[k]] = c.placed[k];
        c.placed = std::move(placed);
    }
    return found;
}

// The cost of playing c with the hand at window and moving it to next (which must hold every
// fretted note of c): nothing when the hand stays, a shift when it moves.
double moveCost(int window, int next, const Candidate& c) {
    if (c.low == kNoWindow || window == next) return c.cost;
    if (window == kNoWindow) return c.cost;
    return c.cost + kShift + kShiftPerFret * std::abs(next - window);
}

// The positions of the hand that reach every fretted note of c: its first finger from the
// highest note's reach down to the lowest note.
std::pair<int, int> windowsFor(const Candidate& c, int window) {
    if (c.low == kNoWindow) return {window, window};
    return {std::max(1, c.high - kHandFrets + 1), c.low};
}

struct Step {
    double cost = std::numeric_limits<double>::infinity();
    int from = 0;  // the window index before this chord
    int candidate = -1;
};

}  // namespace

std::vector<std::vector<Placement>> placeChords(const std::vector<ChordToPlace>& chords,
                                                const GuitarStrings& strings, LostItems& lost) {
    // A piece repeats its chords: each is worked out once.
    std::map<std::pair<std::array<int, 6>, std::vector<int>>, std::vector<Candidate>> known;
    std::vector<const std::vector<Candidate>*> options;
    options.reserve(chords.size());
    for (const ChordToPlace& chord : chords) {
        auto [it, fresh] = known.try_emplace({chord.fixed, chord.pitches});
        if (fresh) it->second = candidatesFor(chord, strings, lost);
        options.push_back(&it->second);
    }

    // table[i][w]: the cheapest way to have played chords 0..i with the hand ending at w.
    std::vector<std::array<Step, kWindows>> table(chords.size());
    std::array<double, kWindows> before;
    before.fill(std::numeric_limits<double>::infinity());
    before[0] = 0;  // no window yet
    for (std::size_t i = 0; i < chords.size(); ++i) {
        for (int w = 0; w < kWindows; ++w) {
            if (before[static_cast<std::size_t>(w)] == std::numeric_limits<double>::infinity())
                continue;
            for (std::size_t k = 0; k < options[i]->size(); ++k) {
                const Candidate& c = (*options[i])[k];
                const auto [from, to] = windowsFor(c, w - 1);
                for (int next = from; next <= to; ++next) {
                    Step& s = table[i][static_cast<std::size_t>(next + 1)];
                    const double total =
                        before[static_cast<std::size_t>(w)] + moveCost(w - 1, next, c);
                    if (total < s.cost) s = {total, w, static_cast<int>(k)};
                }
            }
            if (options[i]->empty()) {
                Step& s = table[i][static_cast<std::size_t>(w)];
                if (before[static_cast<std::size_t>(w)] < s.cost)
                    s = {before[static_cast<std::size_t>(w)], w, -1};
            }
        }
        for (int w = 0; w < kWindows; ++w)
            before[static_cast<std::size_t>(w)] = table[i][static_cast<std::size_t>(w)].cost;
    }

    std::vector<std::vector<Placement>> result(chords.size());
    if (chords.empty()) return result;
    int w = static_cast<int>(std::min_element(before.begin(), before.end()) - before.begin());
    for (std::size_t i = chords.size(); i-- > 0;) {
        const Step& s = table[i][static_cast<std::size_t>(w)];
        if (s.candidate >= 0) {
            result[i] = (*options[i])[static_cast<std::size_t>(s.candidate)].placed;
        } else {
            for (int p : chords[i].pitches)
                result[i].push_back({0, -1, p});
        }
        w = s.from;
    }
    for (const auto& chord : result)
        for (const Placement& p : chord)
            if (p.slot == 0) lost.add(Lost::NoString);
    return result;
}

}  // namespace lutavo
