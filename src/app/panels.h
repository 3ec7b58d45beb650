// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lutavo {

struct Guitar;
struct AppState;

// Places the panels for a page of pageHeight twips and sets the window's height.
void layoutPanels(Guitar& g, int pageHeight);

// Rebuilds keyX and keyKind from keyOffset.
void buildKeyboardTables(AppState& app);

}  // namespace lutavo
