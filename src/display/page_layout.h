#pragma once

namespace lutavo {

struct Guitar;

// Assigns the x positions of the notes of page curPage and sets the note spacing.
void layoutpage(Guitar& g);

}  // namespace lutavo
