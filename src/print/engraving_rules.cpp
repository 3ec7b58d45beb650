// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/engraving_rules.h"

#include <algorithm>
#include <cstdlib>

namespace lutavo {

namespace {

// A stem is three and a half spaces long; a beam's shortest stem three spaces.
constexpr double kStemSteps = 7;
constexpr double kShortestBeamedStem = 6;
// A beam rises or falls by one space at most over its length.
constexpr double kMostSlope = 2;
constexpr int kTicksOfEighth = 8;
constexpr int kCommonTime = 4;

bool beamable(const BeamInput& c) {
    return !c.rest && c.flags > 0;
}

int beatOf(const BeamInput& c, int beat) {
    const int first = c.inBar / beat;
    // A column that runs past its beat belongs to none, so it beams with nothing.
    return (c.inBar + std::max(c.ticks, 1) - 1) / beat == first ? first : -1;
}

bool sameBeat(const BeamInput& a, const BeamInput& b, int beat) {
    const int beatA = beatOf(a, beat);
    return a.bar == b.bar && beatA >= 0 && beatA == beatOf(b, beat);
}

// In 4/4 the four eighths of a half bar are one beam.
bool halfBarOfEighths(std::span<const BeamInput> c, std::size_t i) {
    if (i + 4 > c.size() || c[i].inBar % 32 != 0) return false;
    for (std::size_t k = i; k < i + 4; ++k) {
        if (!beamable(c[k]) || c[k].ticks != kTicksOfEighth || c[k].bar != c[i].bar) return false;
        if (c[k].inBar != c[i].inBar + kTicksOfEighth * static_cast<int>(k - i)) return false;
    }
    return true;
}

// Where a group's beam lies: sloped by its outer notes within the limit, then moved away from
// the heads until every stem is long enough.
void placeBeam(std::span<const BeamInput> c, BeamGroup& g) {
    int top = -1000, bottom = 1000;
    for (int k = g.first; k <= g.last; ++k) {
        top = std::max(top, c[static_cast<std::size_t>(k)].top);
        bottom = std::min(bottom, c[static_cast<std::size_t>(k)].bottom);
    }
    g.up = stemUp(top, bottom);
    const BeamInput& a = c[static_cast<std::size_t>(g.first)];
    const BeamInput& b = c[static_cast<std::size_t>(g.last)];
    const int outerA = g.up ? a.top : a.bottom;
    const int outerB = g.up ? b.top : b.bottom;
    const double slope = std::clamp(static_cast<double>(outerB - outerA), -kMostSlope, kMostSlope);
    const double span = g.last - g.first;
    double start = g.up ? -1000.0 : 1000.0;
    for (int k = g.first; k <= g.last; ++k) {
        const BeamInput& col = c[static_cast<std::size_t>(k)];
        const double rise = slope * (k - g.first) / span;
        if (g.up) {
            start =
                std::max({start, outerA + kStemSteps, col.top + kShortestBeamedStem - rise, -rise});
        } else {
            start = std::min(
                {start, outerA - kStemSteps, col.bottom - kShortestBeamedStem - rise, -rise});
        }
    }
    g.startY = start;
    g.endY = start + slope;
}

}  // namespace

bool stemUp(int top, int bottom) {
    return bottom < 0 && (std::abs(bottom) > std::abs(top) || top == bottom);
}

int flagsOf(int symbol) {
    if (symbol == 1) return 3;
    if (symbol == 2 || symbol == 3) return 2;
    return symbol == 4 || symbol == 5 ? 1 : 0;
}

int beamBeat(int timeSig) {
    switch (timeSig) {
        case 1:
            return 32;
        case 5:
            return 24;
        default:
            return 16;
    }
}

std::vector<BeamGroup> beamGroups(std::span<const BeamInput> c, int timeSig) {
    std::vector<BeamGroup> groups;
    const int beat = beamBeat(timeSig);
    std::size_t i = 0;
    while (i < c.size()) {
        if (!beamable(c[i])) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        if (c[i].triplet > 0) {
            const std::size_t group = tripletEnd(c, i);
            while (end < group && beamable(c[end]))
                ++end;
        } else if (timeSig == kCommonTime && halfBarOfEighths(c, i)) {
            end = i + 4;
        } else {
            while (end < c.size() && beamable(c[end]) && c[end].triplet == 0 &&
                   sameBeat(c[i], c[end], beat))
                ++end;
        }
        if (end - i >= 2) {
            BeamGroup g{static_cast<int>(i), static_cast<int>(end - 1)};
            placeBeam(c, g);
            groups.push_back(g);
        }
        i = end;
    }
    return groups;
}

std::size_t tripletEnd(std::span<const BeamInput> c, std::size_t i) {
    const int t = c[i].triplet;
    // Three triplet eighths fill a quarter, three triplet quarters a half.
    const int beat = t == 5 ? 16 : 32;
    int ticks = 0;
    std::size_t end = i;
    while (end < c.size() && c[end].triplet == t && c[end].bar == c[i].bar && ticks < beat)
        ticks += c[end++].ticks;
    return std::max(end, i + 1);
}

double stemEnd(int top, int bottom, bool up) {
    // A stem reaches the middle line at least, however far from the staff its note lies.
    return up ? std::max(top + kStemSteps, 0.0) : std::min(bottom - kStemSteps, 0.0);
}

double beamYAt(const BeamGroup& beam, double x, double firstX, double lastX) {
    if (lastX <= firstX) return beam.startY;
    return beam.startY + (beam.endY - beam.startY) * (x - firstX) / (lastX - firstX);
}

}  // namespace lutavo
