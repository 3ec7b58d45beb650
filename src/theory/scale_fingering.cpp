// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/scale_fingering.h"

#include <algorithm>
#include <array>

namespace lutavo {

namespace {

constexpr std::array<ScaleType, kScaleTypeCount> kTypes = {{
    {"1 2 3 4 5 6 7", "Major"},
    {"1 2 b3 4 5 b6 b7", "Natural Minor"},
    {"1 2 b3 4 5 b6 7", "Harmonic Minor"},
    {"1 2 b3 4 5 6 7", "Melodic Minor"},
    {"1 2 3 5 6", "Major Pentatonic"},
    {"1 b3 4 5 b7", "Minor Pentatonic"},
    {"1 b3 4 b5 5 b7", "Blues"},
    {"1 2 b3 4 5 6 b7", "Dorian"},
    {"1 b2 b3 4 5 b6 b7", "Phrygian"},
    {"1 2 3 #4 5 6 7", "Lydian"},
    {"1 2 3 4 5 6 b7", "Mixolydian"},
    {"1 b2 b3 4 b5 b6 b7", "Locrian"},
}};

// Scales name every note a student can play, also below the open low E of standard tuning.
int pitchClass(int pitch) {
    return (pitch % 12 + 12) % 12;
}

struct ScaleTones {
    std::array<bool, 12> member{};
    int count = 0;

    ScaleTones(int root, std::span<const int> semitones) {
        for (int t : semitones)
            member[static_cast<std::size_t>(pitchClass(t + root))] = true;
        count = static_cast<int>(std::count(member.begin(), member.end(), true));
    }
    bool has(int pitch) const { return member[static_cast<std::size_t>(pitchClass(pitch))]; }
};

ScalePosition positionAt(const ScaleTones& scale, const PitchTable& pitchOf, int start) {
    ScalePosition position;
    position.start = start;
    std::array<bool, 12> seen{};
    int last = -1000;
    for (int s = 1; s <= 6; ++s) {
        for (int f = start; f < start + kScaleWindowFrets; ++f) {
            const int pitch = pitchOf(s, f);
            if (!scale.has(pitch) || pitch <= last) continue;
            position.notes.push_back({s, f});
            seen[static_cast<std::size_t>(pitchClass(pitch))] = true;
            last = pitch;
        }
    }
    if (std::count(seen.begin(), seen.end(), true) < scale.count) position.notes.clear();
    return position;
}

}  // namespace

const ScaleType& scaleType(int cell) {
    const int index = std::clamp(cell, 1, kScaleTypeCount) - 1;
    return kTypes[static_cast<std::size_t>(index)];
}

int scaleTypeCell(std::string_view name) {
    for (int cell = 1; cell <= kScaleTypeCount; ++cell) {
        if (name == kTypes[static_cast<std::size_t>(cell - 1)].name) return cell;
    }
    return 0;
}

std::vector<ScalePosition> findScalePositions(int root, std::span<const int> semitones,
                                              const PitchTable& pitchOf, int capo) {
    std::vector<ScalePosition> positions;
    const ScaleTones scale(root, semitones);
    if (scale.count == 0) return positions;
    for (int start = capo; start < capo + 12; ++start) {
        if (start + kScaleWindowFrets - 1 > kTopFret) break;
        if (!scale.has(pitchOf(1, start))) continue;
        ScalePosition position = positionAt(scale, pitchOf, start);
        if (!position.notes.empty()) positions.push_back(std::move(position));
    }
    return positions;
}

}  // namespace lutavo
