// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Scales module, built like the chord library: a root from the SCALES menu and a type
// from the strip above the page give a locked one-page song of the scale's fingering
// positions across the neck, in the current tuning and above the capo.

namespace lutavo {

struct Guitar;

// The scale strip's cells are this wide: type c lies from c * 750 twips.
inline constexpr int kScaleCellTwips = 750;

// Item `index` (0..16) of the SCALES menu: opens the scales for that root with the type last
// chosen.
void mnuscale_Click(Guitar& g, int index);

// A press at x twips on the scale strip.
void scaleStrip_MouseDown(Guitar& g, double x);

// Builds and shows the positions of the chosen scale type for `root` (a pitch class counted
// from E).
void loadscales(Guitar& g, int root);

}  // namespace lutavo
