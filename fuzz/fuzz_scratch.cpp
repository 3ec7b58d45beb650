// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_scratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace lutavo::fuzz {

namespace {

struct Scratch {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("lutavo-fuzz-" + std::to_string(::getpid()));
    std::string path;
    Scratch() {
        std::filesystem::create_directories(folder);
        path = folder.string() + "/";
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
};

}  // namespace

const std::string& scratchFolder() {
    static const Scratch scratch;
    return scratch.path;
}

std::string writeScratch(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = scratchFolder() + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) broken("the scratch file could be written");
    return path;
}

std::string readWhole(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

void broken(const char* promise) {
    std::fprintf(stderr, "fuzz: broken promise: %s\n", promise);
    std::fflush(stderr);
    std::abort();
}

}  // namespace lutavo::fuzz
