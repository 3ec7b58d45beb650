#include "app/window_zoom.h"

#include "config/config_file.h"
#include "config/zoom_levels.h"
#include "core/guitar.h"
#include "display/neck_markers.h"
#include "display/page_glyphs.h"
#include "display/page_render.h"

namespace lutavo {

void takeZoomPictures(Guitar& g) {
    // Without the finer pictures (a sheet that cannot be read) the window still zooms, with
    // the plain ones enlarged.
    const int scale = fineScaleFor(g.config.zoomPercent);
    for (int fine : {2, 4})
        useFineScale(g, fine, fine == scale);
    useFineNeck(g, scale);
}

void useZoomPictures(Guitar& g) {
    takeZoomPictures(g);
    drawPageAgain(g);
}

void zoomWindow(Guitar& g, int steps) {
    const int now = g.config.zoomPercent;
    const int next = steps == 0 ? 100 : zoomLevelAfter(now, steps);
    if (next == now) return;
    g.config.zoomPercent = static_cast<i16>(next);
    useZoomPictures(g);
    saveZoomSetting(g);
}

}  // namespace lutavo
