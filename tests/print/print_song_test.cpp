#include "print/print_song.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/mode_bar.h"
#include "base/colors.h"
#include "fakes/fake_printer.h"
#include "fakes/song_builder.h"
#include "fakes/test_rig.h"

namespace lutavo {
namespace {

class PrintSong : public ::testing::Test {
  protected:
    void SetUp() override {
        rig.defaults();
        setupModeBar(g());
        g().sys.screen = &screen;
        g().sys.printer = &printer;
    }
    Guitar& g() { return rig.g(); }
    // A song of `pages` pages of one note each, showing its last page.
    void song(int pages, int pageHeight) {
        std::vector<test::NoteSpec> notes;
        for (int p = 1; p <= pages; ++p) {
            if (p > 1) notes.push_back(test::pageEnd());
            notes.push_back(test::single(16, 1, p));
        }
        test::buildSong(g(), notes);
        g().song.pageHeight = static_cast<i16>(pageHeight);
        g().ui.pgScroll.value = pages;
        g().song.curNote = 2;
    }
    // What the window shows once a run is over.
    std::string window() {
        const auto& ui = g().ui;
        return test::join(ui.pgScroll.value, screen.presentedPage, g().song.curNote,
                          ui.form.mousePointer == MousePointer::Normal,
                          ui.opttxt[kModeBarPrint].color == kColorAvailable,
                          screen.grabsWithPointers);
    }
    int stopped() {
        int n = 0;
        for (const auto& m : rig.dialogs.messages)
            n += m.text == "Printer Stopped" && m.caption == "Lutavo" ? 1 : 0;
        return n;
    }

    test::Rig rig;
    test::FakeScreen screen{rig.g()};
    test::FakePrinter printer;
};

// Page 1 adds pageHeight + 20 twips and each later page pageHeight - 130; a page that passes
// 12500 starts the next sheet at its top and counts there.
TEST_F(PrintSong, StacksPagesOnSheets) {
    struct Case {
        int pages, pageHeight;
        const char* log;
        int scale = 1;
    };
    const Case cases[] = {
        {1, 3000, "N 1@70,20:196 E "},
        // A finer sheet takes the page area drawn at its scale, at its scale times the place.
        {2, 3000, "N 1@280,80:784 2@280,796:744 E ", 4},
        {5, 3000, "N 1@70,20:196 2@70,199:186 3@70,379:186 4@70,558:186 E N 5@70,20:186 E "},
        {9, 3000,
         "N 1@70,20:196 2@70,199:186 3@70,379:186 4@70,558:186 E N 5@70,20:186 6@70,199:186 "
         "7@70,379:186 8@70,558:186 E N 9@70,20:186 E "},
        {4, 4000, "N 1@70,20:263 2@70,262:253 3@70,504:253 E N 4@70,20:253 E "},
        {2, 12000, "N 1@70,20:796 E N 2@70,20:786 E "},
    };
    for (const Case& c : cases) {
        printer.log.clear();
        printer.sheetScale = c.scale;
        song(c.pages, c.pageHeight);
        mnuPrintSong_Click(g());
        EXPECT_EQ(printer.log, c.log) << c.pages << " pages of " << c.pageHeight;
        EXPECT_EQ(window(), test::join(1, 1, 2, true, true, 0));
    }
    EXPECT_EQ(stopped(), 0);
}

// The pointers and the scroll bar are never printed and come back as they were.
TEST_F(PrintSong, PointersStayAsTheyWere) {
    song(2, 3000);
    for (bool pointer : {false, true}) {
        for (bool vpointer : {false, true}) {
            g().ui.pointer.visible = pointer;
            g().ui.vpointer.visible = vpointer;
            g().ui.scrollpanel.visible = !pointer;
            mnuPrintSong_Click(g());
            EXPECT_EQ(test::join(g().ui.pointer.visible, g().ui.vpointer.visible,
                                 g().ui.scrollpanel.visible) +
                          window(),
                      test::join(pointer, vpointer, !pointer, 1, 1, 2, true, true, 0));
        }
    }
}

// Each failing operation is reported once and the run still goes through every page and puts
// the window back.
TEST_F(PrintSong, EveryFailureStopsNothing) {
    struct Case {
        bool newPage, blit, endDoc, noPrinter;
        int messages;
    };
    // Five pages of 3000 twips: two new pages, five copies, two document ends.
    const Case cases[] = {
        {true, false, false, false, 2}, {false, true, false, false, 5},
        {false, false, true, false, 2}, {true, true, true, false, 9},
        {false, false, false, true, 9},
    };
    for (const Case& c : cases) {
        rig.dialogs.messages.clear();
        printer.failNewPage = c.newPage;
        printer.failBlit = c.blit;
        printer.failEndDoc = c.endDoc;
        g().sys.printer = c.noPrinter ? nullptr : &printer;
        song(5, 3000);
        g().ui.pointer.visible = true;
        mnuPrintSong_Click(g());
        EXPECT_EQ(test::join(stopped(), rig.dialogs.messages.size(), g().ui.pointer.visible),
                  test::join(c.messages, c.messages, true));
        EXPECT_EQ(window(), test::join(1, 1, 2, true, true, 0));
    }
}

// The PRINT menu: setup only asks the dialog, Export PDF prints into the chosen file and gives
// the printer back; a cancelled save dialog prints nothing.
TEST_F(PrintSong, PrintMenu) {
    song(2, 3000);
    const SongModel before = g().song;
    struct Case {
        int item;
        const char* file;
        const char* log;
    };
    const Case cases[] = {
        {kPrintSetupItem, "", ""},
        {-1, "", ""},
        {kExportPdfItem, "", ""},
        {kExportPdfItem, "/tmp/out.pdf", "P+ N 1@70,20:196 2@70,199:186 E P- "},
    };
    for (const Case& c : cases) {
        printer.log.clear();
        rig.dialogs.menuAnswers.push_back(c.item);
        if (*c.file != 0) rig.dialogs.fileAnswers.push_back(c.file);
        modeBarPress(g(), kModeBarPrint);
        EXPECT_EQ(printer.log, c.log) << c.item;
    }
    EXPECT_EQ(rig.dialogs.printerSetups, 1);
    EXPECT_EQ(rig.dialogs.menus.at(0).items.at(kExportPdfItem).caption, "Export PDF...");
    EXPECT_EQ(rig.dialogs.fileRequests.back().pattern, "*.pdf");
    EXPECT_EQ(test::join(g().song.noteCount, g().song.curNote, g().song.pageHeight),
              test::join(before.noteCount, before.curNote, before.pageHeight));
}

}  // namespace
}  // namespace lutavo
