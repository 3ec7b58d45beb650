// The configuration reader: any bytes read as the user's configuration file, written back, and
// read again must give the same settings.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "app/startup.h"
#include "config/config_file.h"
#include "core/guitar.h"
#include "fuzz_scratch.h"

namespace {

using namespace lutavo;

// The state before any configuration is read, made once.
const Guitar& defaults() {
    static fuzz::CountingDialogs dialogs;
    static const auto g = [] {
        auto fresh = std::make_unique<Guitar>();
        fresh->sys.dialogs = &dialogs;
        fresh->app.appFolder = fresh->app.dataFolder = LUTAVO_FUZZ_DATA_DIR "/";
        setdefaults(*fresh);
        return fresh;
    }();
    return *g;
}

// The settings read from path, as the writer would put them.
std::string readBack(const std::string& path, std::unique_ptr<Guitar>& g) {
    g = std::make_unique<Guitar>(defaults());
    g->app.configFile = path;
    readconfig(*g);
    return configText(*g);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::writeScratch("ltmidi32.cfg", data, size);
    std::unique_ptr<Guitar> first;
    const std::string settings = readBack(path, first);
    if (!writeconfig(*first)) fuzz::broken("the configuration is written");
    if (fuzz::readWhole(path) != settings) fuzz::broken("the file holds the settings written");
    std::unique_ptr<Guitar> second;
    if (readBack(path, second) != settings)
        fuzz::broken("the configuration reads back as it was written");
    return 0;
}
