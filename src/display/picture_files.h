#pragma once

#include <string>

#include "platform/picture.h"

namespace lutavo {

struct Guitar;

// Loads a picture file into out (emptied first). Without a picture service (headless runs) it
// loads nothing and says nothing; a file the service cannot read is reported once.
bool loadPictureFile(Guitar& g, const std::string& path, Picture& out);

}  // namespace lutavo
