// SPDX-License-Identifier: GPL-3.0-or-later
// The timer tests run the real event loop: a QCoreApplication is made here, once, after the test
// framework has read its arguments.

#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
