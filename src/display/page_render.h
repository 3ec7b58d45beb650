#pragma once

namespace lutavo {

struct Guitar;

// Redraws the page whose number is the page scroll bar's value, completely.
void pgScroll_Change(Guitar& g);

}  // namespace lutavo
