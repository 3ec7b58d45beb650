// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture held as plain pixels, with the rectangle copies the display is built from.
// Pixels are 0xRRGGBB (unlike label colours, which are 0xBBGGRR).

#include <cstdint>
#include <string>
#include <vector>

namespace lutavo {

using Rgb = std::uint32_t;

inline constexpr Rgb kRgbWhite = 0xFFFFFF;
inline constexpr Rgb kRgbBlack = 0x000000;

// The three ways a rectangle is combined with what is already there, bit for bit on each
// colour channel: copy replaces, AND darkens (white source keeps the destination), XOR inverts
// where the source is white.
enum class RasterOp { Copy, And, Xor };

struct BlitRecord {
    const void* source;
    int destX, destY, srcX, srcY, width, height;
    RasterOp op;
};

class Picture {
  public:
    Picture() = default;
    Picture(int width, int height, Rgb fill = kRgbWhite);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    // Outside the picture a read gives white and a write does nothing.
    Rgb pixel(int x, int y) const;
    void setPixel(int x, int y, Rgb rgb);

    void resize(int width, int height, Rgb fill = kRgbWhite);
    void clear(Rgb fill = kRgbWhite);

    // Copies the rectangle (srcX, srcY, width, height) of src to (destX, destY), clipped to both
    // pictures. src may be this picture.
    void blit(int destX, int destY, const Picture& src, int srcX, int srcY, int width, int height,
              RasterOp op);

    // Copies the whole of src to (destX, destY).
    void blitAll(int destX, int destY, const Picture& src, RasterOp op) {
        blit(destX, destY, src, 0, 0, src.width(), src.height(), op);
    }

    const std::vector<Rgb>& pixels() const { return pixels_; }

    // Goes up with every change of the pixels or the size, so a viewer converts the picture
    // again only when it has changed since it last looked.
    std::uint64_t revision() const { return revision_.value; }

    // While set, every blit into this picture is also appended to *log (for tests and printing).
    void recordBlitsInto(std::vector<BlitRecord>* log) { log_.log = log; }

    // The picture file it was loaded from, "" when drawn by the program.
    std::string source;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
    // The log belongs to one picture object: a copy of the picture starts without one, and
    // assigning pixels to a recorded picture keeps its own log.
    struct LogLink {
        std::vector<BlitRecord>* log = nullptr;
        LogLink() = default;
        LogLink(const LogLink&) {}
        LogLink& operator=(const LogLink&) { return *this; }
    };
    LogLink log_;
    // An assigned picture counts as changed: it goes on from its own count, never back.
    struct Revision {
        std::uint64_t value = 0;
        Revision() = default;
        Revision(const Revision&) {}
        Revision& operator=(const Revision&) {
            ++value;
            return *this;
        }
    };
    Revision revision_;
};

// Cuts a picture into equal cells, numbered row by row from 0.
struct CellGrid {
    int columns = 1;
    int rows = 1;
    int cellWidth(const Picture& p) const { return columns > 0 ? p.width() / columns : 0; }
    int cellHeight(const Picture& p) const { return rows > 0 ? p.height() / rows : 0; }
    int cellX(const Picture& p, int index) const { return (index % columns) * cellWidth(p); }
    int cellY(const Picture& p, int index) const { return (index / columns) * cellHeight(p); }
};

// Reading and writing picture files (BMP of any bit depth).
class PictureIO {
  public:
    virtual ~PictureIO() = default;
    virtual bool load(const std::string& path, Picture& out) = 0;
    virtual bool save(const std::string& path, const Picture& picture) = 0;
};

}  // namespace lutavo
