#pragma once

namespace lutavo {

struct Guitar;

// Chooses the neck picture and geometry for the playing hand.
void setfretboard(Guitar& g);

}  // namespace lutavo
