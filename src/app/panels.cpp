// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/panels.h"

#include "app/window_zoom.h"
#include "core/guitar.h"
#include "display/glyph_layout.h"

namespace lutavo {

void buildKeyboardTables(AppState& app) {
    auto& a = app;
    for (int octave = 0; octave <= 4; ++octave) {
        for (int k = 1; k <= 12; ++k) {
            const int i = k + 12 * octave;
            a.keyX[i] = static_cast<i16>(glyph::kOctaveWidth * octave + a.keyOffset[k]);
            a.keyKind[i] = static_cast<i16>(glyph::keyTop(k - 1));
        }
    }
}

void layoutPanels(Guitar& g, int pageHeight) {
    auto& ui = g.ui;
    const int height = pageHeight + (g.app.appMode == kModeLesson ? 4680 : 3800);
    g.app.windowHeight = clampInt16(height);

    ui.keyboard.at.top = height - 880;
    ui.pnlswapper.at.top = height - 880;
    ui.pnllesson.at.top = height - 2360;
    ui.pnlSongEntry.at.top = height - 1500;
    ui.pnlswapcntl.at.top = height - 1500;
    ui.pnlsonginfo.at.top = height + 100;

    ui.form.at.height = height;

    ui.Pageframe.at.height = pageHeight + 20;
    ui.scrollpanel.at.height = pageHeight;
    ui.pgScroll.at.height = pageHeight - 20;
    ui.pointer.at.top = pageHeight - 150;

    const int capo = g.song.capo;
    if (capo > 0 && capo <= 24) {
        ui.piccapo.at.left = g.display.fretMarkerX[capo] + capo - 12;
        ui.piccapo.visible = true;
    } else {
        ui.piccapo.visible = false;
    }

    buildKeyboardTables(g.app);
    // A taller window (a lesson's) may no longer fit the screen at the zoom in use.
    fitZoomToScreen(g);
    ui.form.mousePointer = MousePointer::Normal;
}

}  // namespace lutavo
