// SPDX-License-Identifier: GPL-3.0-or-later
// Wait mode through the real window and input: loads SONG, turns wait mode on, presses PLAY,
// prints "waiting N" with the note shown, then for SECONDS every note it moves on to ("note N"),
// and at the end "advanced K", the notes it moved on by.
//   live_wait DATA_FOLDER SONG SECONDS

#include <QApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/keyboard.h"
#include "app/song_files.h"
#include "app/wait_mode.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "services/sound_module/sound_module.h"
#include "ui/application.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: live_wait DATA_FOLDER SONG SECONDS\n");
        return 2;
    }
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    lutavo::LaunchOptions options;
    options.appFolder = argv[1];
    options.lockPath = home.filePath("lutavo.lock");
    options.headless = true;
    options.soundModule = &lutavo::builtInSoundModule();
    lutavo::Application app(options);
    if (!app.start()) return 1;
    lutavo::Guitar& g = app.guitar();
    const auto press = [&](auto action) { app.window().binder().run([&] { action(g); }); };
    QEventLoop settle;
    QTimer::singleShot(1500, &settle, &QEventLoop::quit);  // the intro's clip ends
    settle.exec();
    press([&](lutavo::Guitar& guitar) { lutavo::loadsong(guitar, argv[2]); });
    press([](lutavo::Guitar& guitar) { lutavo::keyCommand(guitar, lutavo::KeyCommand::WaitMode); });
    press([](lutavo::Guitar& guitar) { lutavo::transportClick(guitar, lutavo::kPlay); });
    const int first = g.transport.curNote;
    std::printf("waiting %d\n", g.practice.wait.waiting ? first : -1);
    std::fflush(stdout);
    int shown = first;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (g.transport.curNote == shown) return;
        shown = g.transport.curNote;
        std::printf("note %d\n", shown);
        std::fflush(stdout);
    });
    watch.start(5);
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::stod(argv[3]) * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("advanced %d\n", shown - first);
    return 0;
}
