#include "display/page_glyphs.h"

#include <string>

#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/page_render.h"
#include "display/picture_files.h"

namespace lutavo {

void stamp(Picture& dest, int x, int y, const Picture& sheet, int srcX, int srcY, int width,
           int height, RasterOp op) {
    if (sheet.empty() || width <= 0 || height <= 0) return;
    dest.blit(x, y, sheet, srcX, srcY, width, height, op);
}

namespace {

void loadPicture(Guitar& g, const char* name, Picture& into) {
    loadPictureFile(g, g.app.appFolder + name, into);
}

// Starts a page picture over from its background without replacing the Picture object, so a
// blit log attached to it stays attached.
void resetToBackground(Picture& page, const Picture& background, int width, int height) {
    if (page.width() != width || page.height() != height) page.resize(width, height);
    page.clear(kRgbWhite);
    stamp(page, 0, 0, background, 0, 0, background.width(), background.height(), RasterOp::Copy);
}

}  // namespace

void loadPagePictures(Guitar& g) {
    auto& d = g.display;
    loadPicture(g, files::kScoreBackground, d.picscoreBackground);
    loadPicture(g, files::kTabBackground, d.pictabBackground);
    loadPicture(g, files::kNoteGlyphs, d.picnotes);
    loadPicture(g, files::kFretGlyphs, d.pictabno);
    loadPicture(g, files::kHeldFretGlyphs, d.pictabnx);
    clearPagePictures(g);
}

void clearPagePictures(Guitar& g) {
    auto& d = g.display;
    resetToBackground(d.picscore, d.picscoreBackground, glyph::kScoreWidth, glyph::kScoreHeight);
    resetToBackground(d.pictab, d.pictabBackground, glyph::kTabWidth, glyph::kTabHeight);
}

}  // namespace lutavo
