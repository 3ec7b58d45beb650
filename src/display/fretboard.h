// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lutavo {

struct Guitar;

// Chooses the neck picture and geometry for the playing hand.
void setfretboard(Guitar& g);
// Shows or hides the capo picture on the neck for the song's capo and the playing hand.
void placeCapoPicture(Guitar& g);

}  // namespace lutavo
