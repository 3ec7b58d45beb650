// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/test_rig.h"

#include "app/startup.h"

namespace lutavo::test {

Rig::Rig() : guitar(std::make_unique<Guitar>()) {
    guitar->sys.dialogs = &dialogs;
    guitar->sys.midi = &midi;
    guitar->sys.wave = &wave;
    guitar->sys.input = &input;
    guitar->sys.clock = &clock;
    setClock();
}

void Rig::defaults() {
    g().app.appFolder = g().app.dataFolder = dataFolder();
    setdefaults(g());
}

std::string dataFolder() {
    return LUTAVO_TEST_DATA_DIR "/";
}

}  // namespace lutavo::test
