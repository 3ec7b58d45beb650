// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/zoom_levels.h"

#include <algorithm>
#include <cstdlib>

#include "base/controls.h"

namespace lutavo {

namespace {

int indexOf(int percent) {
    int best = 0;
    for (int i = 1; i < static_cast<int>(kZoomLevels.size()); ++i) {
        const auto at = static_cast<std::size_t>(i);
        const auto was = static_cast<std::size_t>(best);
        if (std::abs(kZoomLevels[at] - percent) < std::abs(kZoomLevels[was] - percent)) best = i;
    }
    return best;
}

}  // namespace

int nearestZoomLevel(int percent) {
    return kZoomLevels[static_cast<std::size_t>(indexOf(percent))];
}

int zoomLevelAfter(int percent, int steps) {
    const int last = static_cast<int>(kZoomLevels.size()) - 1;
    return kZoomLevels[static_cast<std::size_t>(std::clamp(indexOf(percent) + steps, 0, last))];
}

int fittingZoomLevel(int wanted, int widthTwips, int heightTwips, int areaWidth, int areaHeight) {
    const auto fits = [&](int percent) {
        const auto pixels = [percent](int twips) {
            return twips * percent / (100 * kTwipsPerPixel);
        };
        return areaWidth <= 0 || areaHeight <= 0 ||
               (pixels(widthTwips) <= areaWidth && pixels(heightTwips) <= areaHeight);
    };
    for (int i = indexOf(wanted); i > 0; --i) {
        const int percent = kZoomLevels[static_cast<std::size_t>(i)];
        if (fits(percent)) return percent;
    }
    return kZoomLevels.front();
}

int fineScaleFor(int percent) {
    if (percent <= 100) return 1;
    return percent <= 200 ? 2 : 4;
}

}  // namespace lutavo
