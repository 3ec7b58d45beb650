// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the window's models and Qt: twips to pixels, label colours to QColor.

#include <QColor>
#include <QRect>

#include "base/colors.h"
#include "base/controls.h"

namespace lutavo {

inline int toPixels(int twips) {
    return twips / kTwipsPerPixel;
}
inline int toTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect toPixelRect(const Placement& at) {
    return {toPixels(at.left), toPixels(at.top), toPixels(at.width), toPixels(at.height)};
}

// The window's zoom as the view applies it: every designed length times percent / 100. At 100
// each conversion is the plain one above, so the window is exactly as designed.
struct Zoom {
    int percent = 100;

    double factor() const { return percent / 100.0; }
    // Whole steps (200, 300) enlarge plain pictures pixel by pixel, others smoothly.
    bool whole() const { return percent % 100 == 0; }
    int pixels(int designPixels) const { return designPixels * percent / 100; }
    int pixelsOfTwips(int twips) const { return twips * percent / (100 * kTwipsPerPixel); }
    int twipsOfPixels(int pixels) const { return pixels * 100 * kTwipsPerPixel / percent; }
    QRect rect(const Placement& at) const {
        return {pixelsOfTwips(at.left), pixelsOfTwips(at.top), pixelsOfTwips(at.width),
                pixelsOfTwips(at.height)};
    }
    QRect rect(const QRect& design) const {
        return {pixels(design.left()), pixels(design.top()), pixels(design.width()),
                pixels(design.height())};
    }
};

inline MouseButton toMouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return kMouseLeft;
        case Qt::RightButton:
            return kMouseRight;
        default:
            return kMouseMiddle;
    }
}

// Label colours are 0xBBGGRR: blue sits in the high byte.
inline QColor toQColor(Color c) {
    return {colorRed(c), colorGreen(c), colorBlue(c)};
}

}  // namespace lutavo
