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
