// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/picture.h"

namespace lutavo {

struct Guitar;

// Loads a picture file into out (emptied first). Without a picture service (headless runs) it
// loads nothing and says nothing; a file the service cannot read is reported once.
bool loadPictureFile(Guitar& g, const std::string& path, Picture& out);

// The file of a picture drawn at a finer scale: "picnotes.bmp" at scale 4 is
// "picnotes_x4.bmp"; at scale 1 the name itself.
std::string scaledPictureName(const std::string& name, int scale);

}  // namespace lutavo
