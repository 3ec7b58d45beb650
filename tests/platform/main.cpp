// SPDX-License-Identifier: GPL-3.0-or-later
// The platform tests need a running QApplication; it is made here, once, after the test
// framework has read its arguments.

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing or running the tests must work without a display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
