// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/page_glyphs.h"

#include <algorithm>

#include <string>

#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/page_render.h"
#include "display/picture_files.h"

namespace lutavo {

namespace {

struct PageSet {
    Picture* score;
    Picture* tab;
    const Picture* scoreBackground;
    const Picture* tabBackground;
    const Picture* notes;
    const Picture* frets;
    const Picture* heldFrets;
};

FinePage* fineOf(DisplayState& d, int scale) {
    if (scale == 2) return &d.fine2;
    if (scale == 4) return &d.fine4;
    return nullptr;
}

PageSet pageSet(DisplayState& d, int scale) {
    FinePage* f = fineOf(d, scale);
    if (f == nullptr) {
        return {&d.picscore, &d.pictab,  &d.picscoreBackground, &d.pictabBackground, &d.picnotes,
                &d.pictabno, &d.pictabnx};
    }
    return {&f->score, &f->tab,   &f->scoreBackground, &f->tabBackground,
            &f->notes, &f->frets, &f->heldFrets};
}

const Picture& sheetOf(const PageSet& set, PageSheet sheet) {
    switch (sheet) {
        case PageSheet::Score:
            return *set.score;
        case PageSheet::Tab:
            return *set.tab;
        case PageSheet::Notes:
            return *set.notes;
        case PageSheet::Frets:
            return *set.frets;
        default:
            return *set.heldFrets;
    }
}

}  // namespace

void ink(DisplayState& d, PageSheet into, int x, int y, PageSheet from, int srcX, int srcY,
         int width, int height, RasterOp op) {
    const int s = d.drawScale;
    const PageSet set = pageSet(d, s);
    Picture& dest = into == PageSheet::Score ? *set.score : *set.tab;
    stamp(dest, x * s, y * s, sheetOf(set, from), srcX * s, srcY * s, width * s, height * s, op);
}

void fill(DisplayState& d, PageSheet into, int x, int y, int width, int height, Rgb colour) {
    const int s = d.drawScale;
    Picture& dest = into == PageSheet::Score ? *pageSet(d, s).score : *pageSet(d, s).tab;
    const int right = std::min((x + width) * s, dest.width());
    const int bottom = std::min((y + height) * s, dest.height());
    for (int py = std::max(y * s, 0); py < bottom; ++py)
        for (int px = std::max(x * s, 0); px < right; ++px)
            dest.setPixel(px, py, colour);
}

void stamp(Picture& dest, int x, int y, const Picture& sheet, int srcX, int srcY, int width,
           int height, RasterOp op) {
    if (sheet.empty() || width <= 0 || height <= 0) return;
    dest.blit(x, y, sheet, srcX, srcY, width, height, op);
}

namespace {

bool loadPicture(Guitar& g, const std::string& name, Picture& into) {
    return loadPictureFile(g, g.app.appFolder + name, into);
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
    clearPagePictures(g.display);
}

void clearPagePictures(DisplayState& display) {
    const int s = display.drawScale;
    const PageSet set = pageSet(display, s);
    resetToBackground(*set.score, *set.scoreBackground, glyph::kScoreWidth * s,
                      glyph::kScoreHeight * s);
    resetToBackground(*set.tab, *set.tabBackground, glyph::kTabWidth * s, glyph::kTabHeight * s);
}

bool useFineScale(Guitar& g, int scale, bool inUse) {
    FinePage* f = fineOf(g.display, scale);
    if (f == nullptr) return false;
    if (inUse && !f->loaded) {
        bool ok = true;
        const std::pair<const char*, Picture*> sheets[] = {
            {files::kScoreBackground, &f->scoreBackground},
            {files::kTabBackground, &f->tabBackground},
            {files::kNoteGlyphs, &f->notes},
            {files::kFretGlyphs, &f->frets},
            {files::kHeldFretGlyphs, &f->heldFrets}};
        for (const auto& [name, into] : sheets)
            ok = loadPicture(g, scaledPictureName(name, scale), *into) && ok;
        f->loaded = ok;
    }
    f->inUse = inUse && f->loaded;
    return f->loaded;
}

const FinePage* finePageFor(const DisplayState& d, int scale) {
    if (scale >= 4 && d.fine4.inUse) return &d.fine4;
    if (scale >= 2 && d.fine2.inUse) return &d.fine2;
    if (scale >= 2 && d.fine4.inUse) return &d.fine4;
    return nullptr;
}

}  // namespace lutavo
