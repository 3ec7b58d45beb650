// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace lutavo::assetgen {

namespace {

const char* const kFontFolder = "/usr/share/fonts/truetype/dejavu/";

struct FaceFile {
    Face face;
    const char* file;
    bool bold;
};

const FaceFile kFaceFiles[] = {
    {Face::Sans, "DejaVuSans.ttf", false},
    {Face::SansBold, "DejaVuSans-Bold.ttf", true},
    {Face::SansCondensedBold, "DejaVuSansCondensed-Bold.ttf", true},
    {Face::Serif, "DejaVuSerif.ttf", false},
    {Face::SerifBold, "DejaVuSerif-Bold.ttf", true},
};

}  // namespace

std::optional<Fonts> loadFonts(QString* missing) {
    Fonts fonts;
    for (const FaceFile& entry : kFaceFiles) {
        const QString path = QString(kFontFolder) + entry.file;
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList names =
            id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (names.isEmpty()) {
            if (missing) *missing = path;
            return std::nullopt;
        }
        fonts.family[entry.face] = names.front();
    }
    return fonts;
}

QFont Fonts::font(Face face, double pixelSize) const {
    const auto found = family.find(face);
    QFont result(found == family.end() ? QString() : found->second);
    result.setPixelSize(static_cast<int>(pixelSize + 0.5));
    for (const FaceFile& entry : kFaceFiles) {
        if (entry.face == face) result.setBold(entry.bold);
    }
    if (face == Face::SansCondensedBold) result.setStretch(QFont::SemiCondensed);
    result.setHintingPreference(QFont::PreferFullHinting);
    return result;
}

}  // namespace lutavo::assetgen
