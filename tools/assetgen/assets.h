// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every picture and clip the program loads by name, with the routine that makes it.

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "fonts.h"
#include "output.h"

namespace lutavo::assetgen {

struct PictureAsset {
    const char* fileName;
    int width;
    int height;
    std::function<QImage(const Fonts&)> draw;
};

struct ClipAsset {
    const char* fileName;
    std::function<std::vector<std::int16_t>()> make;
};

const std::vector<PictureAsset>& pictureAssets();
// The page's background pictures and glyph sheets drawn at 2 or 4 times their size.
std::vector<PictureAsset> pageSheetsAt(int scale);
const std::vector<ClipAsset>& clipAssets();

// Every file name written, pictures first.
std::vector<QString> assetFileNames();

// Draws and writes everything into the folder; stops at the first failure.
bool writeAllAssets(const QString& folder, const Fonts& fonts, const OutputOptions& options,
                    QString* error);

}  // namespace lutavo::assetgen
