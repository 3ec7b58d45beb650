// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt services: the printer on a machine without a printer.

#include <gtest/gtest.h>

#include "fakes/test_rig.h"
#include "services/qt/qt_printer.h"

namespace lutavo {
namespace {

// Sheets follow one another in one PDF document on the paper asked for, their texts and the
// music font embedded; a document without sheets is not handed over.
TEST(QtPrinter, PrintsSheetsIntoAPdfDocument) {
    QtPrinter printer;
    ASSERT_TRUE(printer.startPdf(kLetter));
    EXPECT_NEAR(printer.paper().height, kLetter.height, 0.5);
    ASSERT_FALSE(printer.musicFont().empty());
    SheetDrawing sheet;
    sheet.lines.push_back({{50, 100}, {500, 100}});
    sheet.shapes.push_back({{{60, 80}, {90, 78}, {90, 81}, {60, 83}}});
    sheet.glyphs.push_back({0xE0EA, {70, 100}, 20});
    sheet.texts.push_back({"Greensleeves", {300, 60}, 20, TextFace::SerifBold, TextAlign::Centre});
    ASSERT_TRUE(printer.printSheet(sheet));
    ASSERT_TRUE(printer.printSheet(sheet));
    ASSERT_TRUE(printer.endDoc());
    std::string bytes;
    ASSERT_TRUE(printer.takePdf(bytes));
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    for (const char* part :
         {"/Count 2", "Emmentaler", "DejaVuSerif-Bold", "/MediaBox [0 0 612.000000 792.000000]"})
        EXPECT_NE(bytes.find(part), std::string::npos) << part;
    EXPECT_EQ(bytes.find("/Subtype /Image"), std::string::npos);
    ASSERT_TRUE(printer.startPdf(kA4));
    EXPECT_FALSE(printer.takePdf(bytes));
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace lutavo
