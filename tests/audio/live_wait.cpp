// SPDX-License-Identifier: GPL-3.0-or-later
// Wait mode through the real window and input: loads SONG, turns wait mode on, presses PLAY,
// prints "waiting N" with the note shown, then after SECONDS "advanced K", the notes it moved on
// by.
//   live_wait DATA_FOLDER SONG SECONDS

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "app/keyboard.h"
#include "app/song_files.h"
#include "app/wait_mode.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "live_window.h"
#include "services/hearing_module/hearing_module.h"
#include "ui/application.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: live_wait DATA_FOLDER SONG SECONDS\n");
        return 2;
    }
    QTemporaryDir home;
    lutavo::LaunchOptions options = lutavo::test::liveOptions(argv[1], home);
    options.hearingModule = &lutavo::builtInHearingModule();
    lutavo::Application app(options);
    if (!app.start()) return 1;
    lutavo::Guitar& g = app.guitar();
    const auto press = [&](auto action) { app.window().binder().run([&] { action(g); }); };
    lutavo::test::runFor(1500);  // the intro's clip ends
    press([&](lutavo::Guitar& guitar) { lutavo::loadsong(guitar, argv[2]); });
    press([](lutavo::Guitar& guitar) { lutavo::keyCommand(guitar, lutavo::KeyCommand::WaitMode); });
    press([](lutavo::Guitar& guitar) { lutavo::transportClick(guitar, lutavo::kPlay); });
    const int first = g.transport.curNote;
    std::printf("waiting %d\n", g.practice.wait.waiting ? first : -1);
    std::fflush(stdout);
    lutavo::test::runFor(static_cast<int>(std::stod(argv[3]) * 1000));
    std::printf("advanced %d\n", g.transport.curNote - first);
    return 0;
}
