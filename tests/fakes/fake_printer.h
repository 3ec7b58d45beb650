#pragma once
// A printer that records every operation and can stop on demand.

#include <vector>

#include "platform/printer.h"

namespace lutavo::test {

struct PrintedBlit {
    int sheet;  // 0-based sheet the copy landed on
    int x, y;
    Picture picture;
    RasterOp op;
};

class FakePrinter : public Printer {
  public:
    enum class Call { NewPage, Blit, EndDoc };

    bool newPage() override {
        calls.push_back(Call::NewPage);
        if (failNewPage) return false;
        if (sheetOpen && sheetHasInk) ++sheetsPrinted;
        sheetOpen = true;
        sheetHasInk = false;
        ++sheet;
        return true;
    }
    bool blit(int x, int y, const Picture& picture, RasterOp op) override {
        calls.push_back(Call::Blit);
        if (failBlit) return false;
        blits.push_back({sheet, x, y, picture, op});
        sheetHasInk = true;
        return true;
    }
    bool endDoc() override {
        calls.push_back(Call::EndDoc);
        if (failEndDoc) return false;
        if (sheetHasInk) ++sheetsPrinted;
        sheetOpen = false;
        sheetHasInk = false;
        ++documents;
        return true;
    }

    // Makes every operation fail, as with no printer at all.
    void stopAll() { failNewPage = failBlit = failEndDoc = true; }

    bool failNewPage = false;
    bool failBlit = false;
    bool failEndDoc = false;

    std::vector<Call> calls;
    std::vector<PrintedBlit> blits;
    int sheet = -1;         // index of the current sheet, counted by newPage
    int sheetsPrinted = 0;  // sheets with something on them that came out
    int documents = 0;

  private:
    bool sheetOpen = false;
    bool sheetHasInk = false;
};

}  // namespace lutavo::test
