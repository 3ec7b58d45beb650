// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration reader: any bytes read as the user's configuration file, written back, and
// read again must give the same settings.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/startup.h"
#include "config/config_file.h"
#include "core/guitar.h"
#include "fuzz_scratch.h"

namespace {

using namespace lutavo;

// One program state for every input: only its settings are reset before each read, which is
// all the reader and the writer touch that the comparison looks at.
struct Program {
    fuzz::CountingDialogs dialogs;
    Guitar g;
    ConfigState defaults;
    Program() {
        g.sys.dialogs = &dialogs;
        g.app.appFolder = g.app.dataFolder = LUTAVO_FUZZ_DATA_DIR "/";
        setdefaults(g);
        defaults = g.config;
    }
};

Program& program() {
    static Program p;
    return p;
}

// The settings read from path, as the writer would put them.
std::string readBack(const std::string& path) {
    Program& p = program();
    p.g.config = p.defaults;
    p.g.app.configFile = path;
    readconfig(p.g);
    return configText(p.g.config);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeScratch("ltmidi32.cfg", data, size);
    const std::string settings = readBack(path);
    if (!writeconfig(program().g)) fuzz::broken("the configuration is written");
    if (fuzz::readWhole(path) != settings) fuzz::broken("the file holds the settings written");
    if (readBack(path) != settings) fuzz::broken("the configuration reads back as it was written");
    return 0;
}
