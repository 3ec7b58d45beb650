#pragma once
// A printer that records its operations and a screen whose grabs say which page was shown, so
// a print run can be checked sheet by sheet.

#include <sstream>
#include <string>

#include "core/guitar.h"
#include "platform/printer.h"
#include "platform/screen.h"

namespace lutavo::test {

// Every grab is filled with the number of the page the window shows, so a copy on the sheet
// names its page.
class FakeScreen : public Screen {
  public:
    explicit FakeScreen(const Guitar& g) : g_(g) {}
    bool grab(int, int, int width, int height, int scale, Picture& out) override {
        const auto& ui = g_.ui;
        if (ui.pointer.visible || ui.vpointer.visible || ui.scrollpanel.visible)
            ++grabsWithPointers;
        out.resize(width * scale, height * scale, static_cast<Rgb>(presentedPage));
        return true;
    }
    void processEvents() override {}
    void present() override { presentedPage = g_.ui.pgScroll.value; }

    int presentedPage = 0;
    int grabsWithPointers = 0;

  private:
    const Guitar& g_;
};

// Writes "N" for a new page, "E" for an end of document and "p@x,y:h" for a copy of page p
// (one word per operation, each followed by a blank); failing operations are written too.
class FakePrinter : public Printer {
  public:
    int scale() const override { return sheetScale; }
    bool newPage() override { return note("N", failNewPage); }
    bool blit(int x, int y, const Picture& picture, RasterOp op) override {
        std::ostringstream word;
        word << picture.pixel(0, 0) << '@' << x << ',' << y << ':' << picture.height()
             << (op == RasterOp::And ? "" : "!");
        return note(word.str(), failBlit);
    }
    bool endDoc() override { return note("E", failEndDoc); }
    bool setPdfFile(const std::string& path) override {
        pdfFile = path;
        return note(path.empty() ? "P-" : "P+", failPdf);
    }

    std::string log;
    int sheetScale = 1;
    std::string pdfFile;
    bool failNewPage = false;
    bool failBlit = false;
    bool failEndDoc = false;
    bool failPdf = false;

  private:
    bool note(const std::string& word, bool fail) {
        log += word + " ";
        return !fail;
    }
};

}  // namespace lutavo::test
