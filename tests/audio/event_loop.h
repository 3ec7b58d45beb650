// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running the event loop for a while, as the timer and stream tests need.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace lutavo::test {

// Lets the event loop run until done() holds or the time runs out.
template <typename Done>
bool eventsUntil(Done done, int limitMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < limitMs) {
        QEventLoop loop;
        QTimer::singleShot(2, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

}  // namespace lutavo::test
