// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place where the program's pictures meet Qt images.

#include <QImage>

#include "platform/picture.h"

namespace lutavo {

// An opaque RGB32 image with the picture's pixels.
QImage toQImage(const Picture& picture);

// The image's pixels as a picture; transparency is laid over white, as on a page.
Picture toPicture(const QImage& image);

}  // namespace lutavo
