// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/print_song.h"

#include <gtest/gtest.h>

#include "app/mode_bar.h"
#include "base/colors.h"
#include "fakes/song_builder.h"
#include "fakes/test_rig.h"
#include "platform/printer.h"

namespace lutavo {
namespace {

// Logs P PDF started (L on Letter), S<n> a sheet and its page number, E end, T taken; kinds in
// `fail` fail, "-" is no printer.
struct FakePrinter : Printer {
    bool isSetUp() override { return fail != "-"; }
    PaperSize paper() override { return paperSize; }
    std::string musicFont() override { return font; }
    bool printSheet(const SheetDrawing& sheet) override {
        const bool titled = !sheet.texts.empty() && sheet.texts.front().size == 20;
        const bool numbered = !sheet.texts.empty() && sheet.texts.back().size == 9;
        return note("S" + (numbered ? sheet.texts.back().text : "") + (titled ? "t" : ""), 'S');
    }
    bool endDoc() override { return note("E", 'E'); }
    bool startPdf(std::optional<PaperSize> size) override {
        paperSize = size.value_or(kA4);
        return note(paperSize == kLetter ? "L" : "P", 'P');
    }
    bool takePdf(std::string& pdf) override { return !(pdf = note("T", 'T') ? log : "").empty(); }
    bool note(const std::string& word, char kind) {
        log += word + " ";
        return fail.find(kind) == std::string::npos;
    }
    std::string log, fail, font = "music.otf";
    PaperSize paperSize = kA4;
};

struct PrintSong : ::testing::Test {
    void song(int pages) {
        rig.defaults();
        setupModeBar(g);
        std::vector<test::NoteSpec> notes = {test::single(16, 1, 1)};
        for (int p = 2; p <= pages; ++p)
            notes.insert(notes.end(), {test::pageEnd(), test::single(16, 1, p)});
        test::buildSong(g, notes);
        g.song.songTitle = "Tune";
        g.ui.pgScroll.value = pages;
        g.transport.curNote = 2;
    }
    test::Rig rig;
    Guitar& g = rig.g();
    FakePrinter printer;
};

// The sheets chosen in the print dialog, one job; failures and a missing printer or music font
// said once; the window's page is neither moved nor drawn again.
TEST_F(PrintSong, PrintsTheChosenSheetsAndSaysOnceWhatWentWrong) {
    const std::string noPrinter = "No printer is set up. Use Export PDF... to make a PDF.";
    const std::string noFont =
        "The music font for printing is missing: install the package lilypond-fonts.";
    struct Case {
        int pages;
        std::optional<SheetRange> chosen;
        const char *fail, *font, *log;  // fail: S sheet, E end of job, - no printer
        std::string message;
    };
    const Case cases[] = {
        {1, SheetRange{1, 1}, "", "f", "St E ", ""},  // one sheet: no page number
        {5, SheetRange{1, 1}, "", "f", "St E ", ""},  // five lines fit on the first A4 sheet
        {6, SheetRange{1, 2}, "", "f", "S1 / 2t S2 / 2 E ", ""},
        {17, SheetRange{2, 3}, "", "f", "S2 / 3 S3 / 3 E ", ""},
        {6, SheetRange{1, 2}, "S", "f", "S1 / 2t S2 / 2 E ", "Printer Stopped"},
        {6, SheetRange{1, 2}, "E", "f", "S1 / 2t S2 / 2 E ", "Printer Stopped"},
        {6, std::nullopt, "", "f", "", ""},  // the dialog cancelled
        {6, SheetRange{1, 2}, "-", "f", "", noPrinter},
        {6, SheetRange{1, 2}, "", "", "", noFont},
    };
    for (const Case& c : cases) {
        song(c.pages);
        printer.log.clear();
        printer.fail = c.fail;
        printer.font = c.font;
        g.sys.printer = &printer;
        rig.dialogs.messages.clear();
        rig.dialogs.sheetAnswers = {c.chosen};
        const auto redraws = g.display.pageRedraws;
        mnuPrintSong_Click(g);
        SCOPED_TRACE(c.pages);
        EXPECT_EQ(test::join(printer.log, rig.dialogs.said(), rig.dialogs.sheetAnswers.empty(),
                             g.ui.pgScroll.value, g.transport.curNote, g.display.pageRedraws,
                             g.ui.form.mousePointer == MousePointer::Normal,
                             g.ui.opttxt[kModeBarPrint].color),
                  test::join(c.log, c.message, *c.fail != '-' && *c.font != 0, c.pages, 2, redraws,
                             true, kColorAvailable));
    }
}

// A song whose pages are pictures prints each page's cell across a sheet's width, with or
// without the music font.
TEST_F(PrintSong, PicturePagesPrintTheirCells) {
    song(3);
    g.song.pagePicture = "pages.bmp";
    g.display.pagewindow.resize(10, 30);  // three cells of 10 x 10, one under another
    g.display.pagewindow.setPixel(0, 10, 0x123456);
    g.display.pagewindowCells = CellGrid{1, 3};
    const std::vector<SheetDrawing> sheets = drawSheets(printSourceOf(g), kA4, 2, 3);
    ASSERT_EQ(sheets.size(), 2u);  // a square picture as wide as the sheet: one to a sheet
    ASSERT_EQ(sheets[0].pictures.size(), 1u);
    const SheetPicture& cell = sheets[0].pictures[0];
    EXPECT_EQ(
        std::tuple(cell.picture.pixel(0, 0), cell.width, cell.height, sheets[0].glyphs.size()),
        std::tuple(0x123456u, kA4.width - 100, kA4.width - 100, 0u));
    printer.font = "";
    g.sys.printer = &printer;
    rig.dialogs.sheetAnswers = {SheetRange{1, 3}};
    mnuPrintSong_Click(g);
    EXPECT_EQ(test::join(printer.log, rig.dialogs.said()),
              test::join("S1 / 3t S2 / 3 S3 / 3 E ", ""));
}

TEST_F(PrintSong, PrintMenu) {
    song(2);
    g.sys.printer = &printer;
    test::TempDir dir;
    const std::string pdf = dir.write("a.pdf", "old");
    rig.dialogs.menuAnswers = {kPrintSetupItem, -1, kExportPdfItem, kExportPdfItem};
    rig.dialogs.fileAnswers = {"", pdf};
    for (int i = 0; i < 4; ++i)
        modeBarPress(g, kModeBarPrint);
    const std::string log = "P St E T ";
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
