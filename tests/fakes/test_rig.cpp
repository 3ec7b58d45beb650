#include "fakes/test_rig.h"

#include <fstream>
#include <random>

#include "app/startup.h"

namespace lutavo::test {

Rig::Rig() : guitar(std::make_unique<Guitar>()) {
    guitar->sys.dialogs = &dialogs;
    guitar->sys.midi = &midi;
    guitar->sys.wave = &wave;
}

void Rig::defaults() {
    g().app.appFolder = g().app.dataFolder = dataFolder();
    setdefaults(g());
}

TempDir::TempDir()
    : dir_(std::filesystem::temp_directory_path() /
           ("lutavo-test-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(dir_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& text) const {
    std::ofstream(path() + name, std::ios::binary) << text;
    return path() + name;
}

std::string readFile(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

std::string dataFolder() {
    return LUTAVO_TEST_DATA_DIR "/";
}

}  // namespace lutavo::test
