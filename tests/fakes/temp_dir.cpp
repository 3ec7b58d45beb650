// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakes/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace lutavo::test {

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

}  // namespace lutavo::test
