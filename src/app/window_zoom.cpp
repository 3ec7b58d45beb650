// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/window_zoom.h"

#include "config/config_file.h"
#include "config/zoom_levels.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "display/neck_markers.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"

namespace lutavo {

namespace {

// The largest step up to percent at which the window, as tall as it now is, fits its screen.
int fittingZoom(const AppState& app, const MainForm& form, int percent) {
    return fittingZoomLevel(percent, kWindowWidthTwips, app.windowHeight, form.screenWidth,
                            form.screenHeight);
}

}  // namespace

void takeZoomPictures(Guitar& g) {
    g.ui.form.zoomPercent = fittingZoom(g.app, g.ui.form, g.config.zoomPercent);
    // Without the finer pictures (a sheet that cannot be read) the window still zooms, with
    // the plain ones enlarged.
    const int scale = fineScaleFor(g.ui.form.zoomPercent);
    for (int fine : {2, 4})
        useFineScale(g, fine, fine == scale);
    useFineNeck(g, scale);
}

void useZoomPictures(Guitar& g) {
    takeZoomPictures(g);
    drawPageAgain(g);
}

void fitZoomToScreen(Guitar& g) {
    const int fits = fittingZoom(g.app, g.ui.form, g.config.zoomPercent);
    if (fits == g.ui.form.zoomPercent) return;
    g.ui.form.zoomPercent = fits;
    useZoomPictures(g);
}

void zoomWindow(Guitar& g, int steps) {
    const int now = g.ui.form.zoomPercent;
    const int next = steps == 0 ? 100 : zoomLevelAfter(now, steps);
    // A step whose window would reach past the screen is not offered.
    if (next == now || fittingZoom(g.app, g.ui.form, next) != next) return;
    g.config.zoomPercent = static_cast<i16>(next);
    fitZoomToScreen(g);
    saveZoomSetting(g);
}

void screenChanged(Guitar& g, int width, int height) {
    g.ui.form.screenWidth = width;
    g.ui.form.screenHeight = height;
    fitZoomToScreen(g);
}

}  // namespace lutavo
