// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt services: the window read back into pictures, the printer on a machine without a
// printer.

#include <gtest/gtest.h>

#include <QPrinterInfo>
#include <QWidget>

#include "fakes/test_rig.h"
#include "services/qt/qt_printer.h"
#include "services/qt/qt_screen.h"

namespace lutavo {
namespace {

// A widget painted in two known colours: left half red, right half blue.
class TwoColourWidget : public QWidget {
  public:
    TwoColourWidget() {
        resize(40, 20);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(0xFF, 0, 0));
        setPalette(p);
        right.setParent(this);
        right.setGeometry(20, 0, 20, 20);
        right.setAutoFillBackground(true);
        QPalette q = right.palette();
        q.setColor(QPalette::Window, QColor(0, 0, 0xFF));
        right.setPalette(q);
    }
    QWidget right;
};

TEST(QtScreen, GrabsTheRectangleOfTheWindowWithWhiteOutsideIt) {
    TwoColourWidget window;
    QtScreen screen(&window);
    Picture shot;
    ASSERT_TRUE(screen.grab(15, 5, 10, 4, 1, shot));
    ASSERT_EQ(std::pair(shot.width(), shot.height()), std::pair(10, 4));
    for (auto [x, y, colour] :
         {std::tuple{0, 0, 0xFF0000u}, {4, 3, 0xFF0000u}, {5, 0, 0x0000FFu}, {9, 3, 0x0000FFu}})
        EXPECT_EQ(shot.pixel(x, y), colour) << x << "," << y;
    ASSERT_TRUE(screen.grab(35, 15, 10, 10, 1, shot));
    for (auto [x, y, colour] :
         {std::tuple{0, 0, 0x0000FFu}, {4, 4, 0x0000FFu}, {5, 0, kRgbWhite}, {0, 5, kRgbWhite}})
        EXPECT_EQ(shot.pixel(x, y), colour) << x << "," << y;
}

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
