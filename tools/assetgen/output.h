// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing pictures and clips into the data folder.

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace lutavo::assetgen {

struct OutputOptions {
    bool pngCopies = true;  // <folder>/png/<name>.png for looking at
    bool previews = false;  // <folder>/preview/<name>.png enlarged four times, pixels kept sharp
};

// Writes the picture as BMP: 4 bits per pixel when it has at most 16 colours (the glyph
// sheets, so their black and white stay exact), else 24 bits.
bool savePicture(const QImage& image, const QString& folder, const QString& fileName,
                 const OutputOptions& options, QString* error);

inline constexpr int kClipRate = 44100;

// Writes 16-bit PCM mono at 44.1 kHz.
bool saveClip(const std::vector<std::int16_t>& samples, const QString& path, QString* error);

// Reads a clip written by saveClip (for the checks); empty on failure.
std::vector<std::int16_t> loadClip(const QString& path, int* sampleRate, int* channels, int* bits);

}  // namespace lutavo::assetgen
