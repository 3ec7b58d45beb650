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

}  // namespace lutavo
