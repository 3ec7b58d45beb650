// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window's zoom does to the widgets the program does not place: their fixed rectangles
// and every font.

#include <QRect>

#include "ui/view_units.h"

class QWidget;

namespace lutavo {

// Places a widget at a rectangle of the window's own design (at 100%), kept there at every zoom.
void placeDesigned(QWidget* widget, const QRect& design);

// Sizes every font and designed rectangle of root and its children to the zoom, from what each
// was at 100%.
void applyZoom(QWidget* root, Zoom zoom);

}  // namespace lutavo
