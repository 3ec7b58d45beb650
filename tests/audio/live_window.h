// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real window with the sound stack linked in, as the live programs start it: headless, with
// a configuration and a lock of its own in home.

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "services/sound_module/sound_module.h"
#include "ui/application.h"

namespace lutavo::test {

inline LaunchOptions liveOptions(const char* appFolder, const QTemporaryDir& home) {
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    LaunchOptions options;
    options.appFolder = appFolder;
    options.lockPath = home.filePath("lutavo.lock");
    options.headless = true;
    options.soundModule = &builtInSoundModule();
    return options;
}

// The window's own event loop, as the program runs it: it sleeps between events.
inline void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace lutavo::test
