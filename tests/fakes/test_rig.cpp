#include "fakes/test_rig.h"

#include <fstream>
#include <random>
#include <sstream>

#include "app/startup.h"

namespace lutavo::test {

Rig::Rig() : guitar(std::make_unique<Guitar>()) {
    guitar->sys.dialogs = &dialogs;
    guitar->sys.midi = &midi;
    guitar->sys.wave = &wave;
}

void Rig::defaults() {
    g().app.appFolder = dataFolder();
    g().app.dataFolder = dataFolder();
    setdefaults(g());
}

TempDir::TempDir() {
    std::random_device rd;
    dir_ = std::filesystem::temp_directory_path() / ("lutavo-test-" + std::to_string(rd()));
    std::filesystem::create_directories(dir_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& text) const {
    const std::string full = path() + name;
    std::ofstream out(full, std::ios::binary);
    out << text;
    return full;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string dataFolder() {
    return LUTAVO_TEST_DATA_DIR "/";
}

}  // namespace lutavo::test
