#pragma once
// Picture files held in memory by path; loading or saving can fail on demand.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/picture.h"

namespace lutavo::test {

class FakePictureIO : public PictureIO {
  public:
    bool load(const std::string& path, Picture& out) override {
        loads.push_back(path);
        auto it = files.find(path);
        if (failAll || failing.count(path) != 0 || it == files.end()) return false;
        out = it->second;
        out.source = path;
        return true;
    }
    bool save(const std::string& path, const Picture& picture) override {
        saves.push_back(path);
        if (failAll || failing.count(path) != 0) return false;
        files[path] = picture;
        return true;
    }

    std::map<std::string, Picture> files;
    std::set<std::string> failing;  // paths that can be neither read nor written
    bool failAll = false;
    std::vector<std::string> loads;
    std::vector<std::string> saves;
};

}  // namespace lutavo::test
