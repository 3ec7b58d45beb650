// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The course that comes with the program: the text pages and hints of its five lessons, and
// the clips of the tuning lesson, all written into the data folder's "lessons" folder.

#include <vector>

#include "assets.h"

namespace lutavo::assetgen {

std::vector<PictureAsset> lessonPictureAssets();
std::vector<ClipAsset> lessonClipAssets();

}  // namespace lutavo::assetgen
