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

// Blits land on the sheet keeping the dark pixels of both; a blank last sheet never comes out.
TEST(QtPrinter, PrintsBlitsOntoSheetsOfAPdfDocument) {
    QtPrinter printer;
    ASSERT_TRUE(printer.startPdf());
    Picture upper(620, 10, kRgbWhite);
    Picture lower(620, 10, kRgbWhite);
    upper.setPixel(5, 8, kRgbBlack);  // lands at (75, 28)
    lower.setPixel(6, 2, 0x808080);   // lands at (76, 28)
    ASSERT_TRUE(printer.newPage());
    ASSERT_TRUE(printer.blit(70, 20, upper, RasterOp::And));
    ASSERT_TRUE(printer.blit(70, 26, lower, RasterOp::And));
    EXPECT_EQ(std::tuple(printer.sheet().pixel(75, 28), printer.sheet().pixel(76, 28),
                         printer.sheet().pixel(77, 28)),
              std::tuple(kRgbBlack, 0x808080u, kRgbWhite));
    ASSERT_TRUE(printer.newPage());
    EXPECT_EQ(printer.sheet().pixel(75, 28), kRgbWhite);
    EXPECT_TRUE(printer.blit(70, 20, upper, RasterOp::And));
    ASSERT_TRUE(printer.newPage());
    ASSERT_TRUE(printer.endDoc());
    std::string bytes;
    ASSERT_TRUE(printer.takePdf(bytes));
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    EXPECT_NE(bytes.find("/Count 2"), std::string::npos);
}

}  // namespace
}  // namespace lutavo
