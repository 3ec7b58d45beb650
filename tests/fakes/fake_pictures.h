// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture files held in memory by path.

#include <map>
#include <string>

#include "platform/picture.h"

namespace lutavo::test {

class FakePictureIO : public PictureIO {
  public:
    bool load(const std::string& path, Picture& out) override {
        ++reads[path];
        auto it = files.find(path);
        if (it == files.end()) return false;
        out = it->second;
        out.source = path;
        return true;
    }
    bool save(const std::string& path, const Picture& picture) override {
        files[path] = picture;
        return true;
    }
    std::map<std::string, Picture> files;
    std::map<std::string, int> reads;  // every load asked for, by path
};

}  // namespace lutavo::test
