// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's icon for the desktop: a stretch of the neck with two of the program's note
// markers, drawn as PNG at the usual sizes and as SVG from one list of shapes.

#include <QImage>
#include <QString>

namespace lutavo::assetgen {

inline constexpr int kIconSizes[] = {48, 128, 256};

// The icon drawn at size x size pixels.
QImage drawIcon(int size);

// The same shapes as SVG text on a 256 x 256 canvas.
QString iconSvg();

// Writes lutavo-<size>.png for every size and lutavo.svg into folder; false on a write error.
bool writeIcons(const QString& folder, QString* error);

}  // namespace lutavo::assetgen
