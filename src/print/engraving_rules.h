// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How printed notes are set: which way a stem goes, which notes share a beam and how the beam
// lies. Positions are staff steps (lines and spaces) counted from the middle line, upwards
// positive; durations are ticks (a quarter note is 16).

#include <span>
#include <vector>

namespace lutavo {

// What the beam rules need of one column of a line.
struct BeamInput {
    int bar = 0;    // the bar the column stands in, counted along the line
    int inBar = 0;  // ticks from the start of its bar to the column
    int ticks = 0;  // how long the column lasts
    int flags = 0;  // flags its symbol has (0: quarter or longer, no beam)
    int top = 0;    // highest and lowest head
    int bottom = 0;
    bool rest = false;
    int triplet = 0;  // 0, or the triplet length 5 or 11 the column is written as
};

// One beam: the columns first..last of the line, joined at stem ends that lie at staff steps
// startY and endY (the stems' ends at the first and last column).
struct BeamGroup {
    int first = 0;
    int last = 0;
    bool up = true;
    double startY = 0;
    double endY = 0;
    bool operator==(const BeamGroup&) const = default;
};

// A stem goes down from a head on or above the middle line and up from one below it; a chord's
// stem goes the way its head furthest from the middle asks (down when two are as far).
bool stemUp(int top, int bottom);

// The flags of a note symbol (1 = the shortest .. 10 = whole).
int flagsOf(int symbol);

// The ticks of the beat that beams keep within, for the time signature 0..5 (0 none, then
// 2/2, 2/4, 3/4, 4/4, 6/8).
int beamBeat(int timeSig);

// The beams of a line: runs of two or more flagged columns within one beat of one bar; in 4/4 a
// half bar of four eighths is one beam; a triplet group is beamed on its own.
std::vector<BeamGroup> beamGroups(std::span<const BeamInput> columns, int timeSig);

// The end (one past the last column) of the triplet group that starts at column i: the columns
// of its triplet length until they fill the beat of three.
std::size_t tripletEnd(std::span<const BeamInput> columns, std::size_t i);

// The staff step a lone stem reaches from the head it grows from.
double stemEnd(int top, int bottom, bool up);

// The y of the beam at column i of the group, by its x between the group's first and last x.
double beamYAt(const BeamGroup& beam, double x, double firstX, double lastX);

}  // namespace lutavo
