// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_song.h"

#include <gtest/gtest.h>

#include "app/mode_bar.h"
#include "base/colors.h"
#include "fakes/song_builder.h"
#include "fakes/test_rig.h"
#include "platform/printer.h"
#include "platform/screen.h"

namespace lutavo {
namespace {

// Grabs are filled with the page shown and count the pointers or scroll bar seen.
struct FakeScreen : Screen {
    explicit FakeScreen(const Guitar& guitar) : g(guitar) {}
    bool grab(int, int, int width, int height, int scale, Picture& out) override {
        seenPointers += g.ui.pointer.visible || g.ui.vpointer.visible || g.ui.scrollpanel.visible;
        out.resize(width * scale, height * scale, static_cast<Rgb>(shown));
        return true;
    }
    void processEvents() override {}
    void present() override { shown = g.ui.pgScroll.value; }
    const Guitar& g;
    int shown = 0, seenPointers = 0;
};

// Logs N new page, E end, P PDF started, T taken, "<page>@x,y:height" copies; kinds in fail fail.
struct FakePrinter : Printer {
    int scale() const override { return sheetScale; }
    bool isSetUp() override { return fail != "-"; }
    bool newPage() override { return note("N", 'N'); }
    bool endDoc() override { return note("E", 'E'); }
    bool startPdf() override { return note("P", 'P'); }
    bool takePdf(std::string& pdf) override { return !(pdf = note("T", 'T') ? log : "").empty(); }
    bool blit(int x, int y, const Picture& p, RasterOp op) override {
        const auto n = [](int v) { return std::to_string(v); };
        const std::string at = (op == RasterOp::And ? "@" : "!@") + n(x) + "," + n(y);
        return note(n(static_cast<int>(p.pixel(0, 0))) + at + ":" + n(p.height()), 'B');
    }
    bool note(const std::string& word, char kind) {
        log += word + " ";
        return fail.find(kind) == std::string::npos;
    }
    std::string log, fail;
    int sheetScale = 1;
};

struct PrintSong : ::testing::Test {
    void song(int pages, int pageHeight) {
        rig.defaults();
        setupModeBar(g);
        g.sys.screen = &screen;
        std::vector<test::NoteSpec> notes = {test::single(16, 1, 1)};
        for (int p = 2; p <= pages; ++p)
            notes.insert(notes.end(), {test::pageEnd(), test::single(16, 1, p)});
        test::buildSong(g, notes);
        g.song.pageHeight = static_cast<i16>(pageHeight);
        g.ui.pgScroll.value = pages;
        g.transport.curNote = 2;
    }
    test::Rig rig;
    Guitar& g = rig.g();
    FakeScreen screen{g};
    FakePrinter printer;
};

TEST_F(PrintSong, PagesStackOnASheetUntilTheirHeightsPassIt) {
    using P = std::vector<SheetPlace>;
    EXPECT_EQ(sheetPlaces(6305, 2), (P{{1, 0, 6325}, {1, 1, 6175}}));  // 12500 exactly fits
    EXPECT_EQ(sheetPlaces(6306, 2), (P{{1, 0, 6326}, {2, 0, 6176}}));
}

// The sheets chosen in the print dialog, one job; failures and a missing printer said once.
TEST_F(PrintSong, PrintsTheChosenSheetsAndSaysOnceWhatWentWrong) {
    const std::string noPrinter = "No printer is set up. Use Export PDF... to make a PDF.";
    struct Case {
        int pages, scale;
        std::optional<SheetRange> chosen;
        const char *fail, *log;  // fail: N new page, B copy, E end of document, - no printer
        int pointer;
        std::string message;
    };
    const Case cases[] = {
        {1, 4, SheetRange{1, 1}, "", "N 1@280,80:784 E ", 0, ""},  // at 4x, 4 times the place
        {5, 1, SheetRange{1, 2}, "",
         "N 1@70,20:196 2@70,199:186 3@70,379:186 4@70,558:186 N 5@70,20:186 E ", 1, ""},
        {9, 1, SheetRange{2, 2}, "", "N 5@70,20:186 6@70,199:186 7@70,379:186 8@70,558:186 E ", 0,
         ""},
        {2, 1, SheetRange{1, 1}, "N", "N 1@70,20:196 2@70,199:186 E ", 1, "Printer Stopped"},
        {5, 1, SheetRange{1, 2}, "BE", nullptr, 0, "Printer Stopped"},
        {5, 1, std::nullopt, "", "", 1, ""},  // the dialog cancelled
        {5, 1, SheetRange{1, 2}, "-", "", 1, noPrinter},
    };
    for (const Case& c : cases) {
        song(c.pages, 3000);
        printer.log.clear();
        printer.sheetScale = c.scale, printer.fail = c.fail;
        g.sys.printer = &printer;
        rig.dialogs.messages.clear();
        rig.dialogs.sheetAnswers = {c.chosen};
        screen.shown = 0;
        auto& ui = g.ui;
        ui.pointer.visible = ui.vpointer.visible = c.pointer;
        ui.scrollpanel.visible = !c.pointer;
        mnuPrintSong_Click(g);
        SCOPED_TRACE(printer.log);
        EXPECT_TRUE(c.log == nullptr || printer.log == c.log);
        EXPECT_EQ(test::join(rig.dialogs.said(), rig.dialogs.sheetAnswers.empty(),
                             ui.pgScroll.value, screen.shown, screen.seenPointers,
                             g.transport.curNote, ui.pointer.visible, ui.vpointer.visible,
                             ui.scrollpanel.visible, ui.form.mousePointer == MousePointer::Normal,
                             ui.opttxt[kModeBarPrint].color),
                  test::join(c.message, *c.fail != '-', c.pages, printer.log.empty() ? 0 : c.pages,
                             0, 2, c.pointer, c.pointer, !c.pointer, true, kColorAvailable));
    }
}

TEST_F(PrintSong, PrintMenu) {
    song(2, 3000);
    g.sys.printer = &printer;
    test::TempDir dir;
    const std::string pdf = dir.write("a.pdf", "old");
    rig.dialogs.menuAnswers = {kPrintSetupItem, -1, kExportPdfItem, kExportPdfItem};
    rig.dialogs.fileAnswers = {"", pdf};
    for (int i = 0; i < 4; ++i)
        modeBarPress(g, kModeBarPrint);
    const std::string log = "P N 1@70,20:196 2@70,199:186 E T ";
    EXPECT_EQ(test::join(test::readFile(pdf), rig.dialogs.printerSetups,
                         g.ui.mnuPrint.items.at(3).caption, rig.dialogs.fileRequests.back().pattern,
                         g.transport.curNote),
              test::join(log, 1, "Export PDF...", "*.pdf", 2));
    printer.fail = "P";
    rig.dialogs.menuAnswers = {kExportPdfItem};
    rig.dialogs.fileAnswers = {dir.path() + "b.pdf"};
    modeBarPress(g, kModeBarPrint);
    EXPECT_EQ(rig.dialogs.messages.at(0).text, "Printer Stopped");

    // The song as a score, beside the song under its name; a file that cannot be written is told.
    g.song.songFile = dir.path() + "tune.SNG";
    rig.dialogs.menuAnswers = {kExportMusicXmlItem, kExportMusicXmlItem};
    rig.dialogs.fileAnswers = {dir.path() + "tune.musicxml", "/no/such/folder/x.musicxml"};
    modeBarPress(g, kModeBarPrint);
    EXPECT_EQ(test::join(rig.dialogs.fileRequests.back().fileName,
                         rig.dialogs.fileRequests.back().folder),
              test::join("tune.musicxml", dir.path().substr(0, dir.path().size() - 1)));
    EXPECT_NE(test::readFile(dir.path() + "tune.musicxml").find("<score-partwise"),
              std::string::npos);
    const std::size_t told = rig.dialogs.messages.size();
    modeBarPress(g, kModeBarPrint);
    EXPECT_EQ(rig.dialogs.messages.size(), told + 1);
}

}  // namespace
}  // namespace lutavo
