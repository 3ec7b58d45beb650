// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files for a test: a folder of its own, removed afterwards.

#include <filesystem>
#include <string>

namespace lutavo::test {

// A fresh empty folder for a test's files, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path() const { return dir_.string() + "/"; }
    // Writes text to name inside the folder; returns the full path.
    std::string write(const std::string& name, const std::string& text) const;

  private:
    std::filesystem::path dir_;
};

std::string readFile(const std::string& path);

}  // namespace lutavo::test
