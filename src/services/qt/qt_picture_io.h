// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture files through Qt's image readers: BMP of any bit depth in, BMP (or PNG for
// screenshots) out.

#include "platform/picture.h"

namespace lutavo {

class QtPictureIO : public PictureIO {
  public:
    // Reads any image file Qt knows, BMP above all, deciding the format by its content.
    bool load(const std::string& path, Picture& out) override;
    // A name ending in ".png" (any case) is written as PNG, anything else as BMP at the
    // smallest depth that keeps every pixel exactly: 1, 4, 8 or 24 bits.
    bool save(const std::string& path, const Picture& picture) override;
};

}  // namespace lutavo
