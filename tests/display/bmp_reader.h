#pragma once
// Reads the program's own BMP pictures in a headless test, without the window toolkit, so page
// tests can draw with the real glyph sheets the build generates.

#include <string>

#include "platform/picture.h"

namespace lutavo::test {

// Reads uncompressed BMP files of 1, 4, 8, 24 or 32 bits per pixel; refuses anything else.
class BmpPictureIO : public PictureIO {
  public:
    bool load(const std::string& path, Picture& out) override;
    bool save(const std::string&, const Picture&) override { return false; }
};

}  // namespace lutavo::test
