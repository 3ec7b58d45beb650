// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks of the real window share: the window runs headless on the data folder built
// beside them, with its lock (and, set by the caller, the user's configuration) in a temporary
// folder, and is timed on the steady clock.

#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>

#include "ui/application.h"

namespace lutavo::bench {

using Clock = std::chrono::steady_clock;

inline double micros(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::micro>(to - from).count();
}

inline LaunchOptions windowOptions(const QTemporaryDir& home) {
    LaunchOptions o;
    o.appFolder = QCoreApplication::applicationDirPath() + "/data/";
    o.lockPath = home.filePath("lutavo.lock");
    o.headless = true;
    return o;
}

}  // namespace lutavo::bench
