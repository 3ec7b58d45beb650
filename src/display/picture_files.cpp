// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/picture_files.h"

#include "core/guitar.h"
#include "core/messages.h"

namespace lutavo {

bool loadPictureFile(Guitar& g, const std::string& path, Picture& out) {
    out = Picture();
    if (g.sys.pictures == nullptr) return false;
    if (g.sys.pictures->load(path, out)) return true;
    out = Picture();
    reportMissingOnce(g, path);
    return false;
}

std::string scaledPictureName(const std::string& name, int scale) {
    if (scale <= 1) return name;
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return name + "_x" + std::to_string(scale);
    }
    return name.substr(0, dot) + "_x" + std::to_string(scale) + name.substr(dot);
}

}  // namespace lutavo
