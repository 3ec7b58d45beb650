// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pages composed from the generated sheets exactly the way the program composes them, written
// with --preview so the glyphs can be judged in place (alignment with staff lines, ledger lines,
// ties, tab lines, markers on the strings, pressed keys).

#include <QImage>

#include "fonts.h"

namespace lutavo::assetgen {

QImage composeSampleScore(const Fonts& fonts);
QImage composeSampleNeck();

}  // namespace lutavo::assetgen
