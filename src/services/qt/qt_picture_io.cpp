// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/qt_picture_io.h"

#include <QImageReader>
#include <QImageWriter>
#include <QString>
#include <map>
#include <set>

#include "services/qt/picture_qimage.h"

namespace lutavo {

namespace {

constexpr std::size_t kMaxPaletteSize = 256;

// The picture's distinct colours in first-seen order, or an empty list when there are more
// than a palette holds.
std::vector<Rgb> paletteOf(const Picture& picture) {
    std::vector<Rgb> palette;
    std::set<Rgb> seen;
    for (Rgb rgb : picture.pixels()) {
        if (seen.insert(rgb).second) {
            if (palette.size() == kMaxPaletteSize) return {};
            palette.push_back(rgb);
        }
    }
    return palette;
}

// An indexed image (Mono for two colours, else Indexed8, which the BMP writer stores in 4 bits
// when it has at most 16 colours) holding exactly the picture's pixels.
QImage indexedImage(const Picture& picture, const std::vector<Rgb>& palette) {
    const QImage::Format format =
        palette.size() <= 2 ? QImage::Format_Mono : QImage::Format_Indexed8;
    QImage image(picture.width(), picture.height(), format);
    QList<QRgb> table;
    std::map<Rgb, int> index;
    for (Rgb rgb : palette) {
        index[rgb] = static_cast<int>(table.size());
        table.push_back(0xFF000000u | rgb);
    }
    if (format == QImage::Format_Mono && table.size() < 2) table.push_back(0xFF000000u);
    image.setColorTable(table);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            image.setPixel(x, y, static_cast<uint>(index[picture.pixel(x, y)]));
    return image;
}

QImage imageForBmp(const Picture& picture) {
    const std::vector<Rgb> palette = paletteOf(picture);
    if (palette.empty()) return toQImage(picture);
    return indexedImage(picture, palette);
}

bool isPngName(const QString& path) {
    return path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
}

}  // namespace

bool QtPictureIO::load(const std::string& path, Picture& out) {
    QImageReader reader(QString::fromStdString(path));
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) return false;
    out = toPicture(image);
    out.source = path;
    return true;
}

bool QtPictureIO::save(const std::string& path, const Picture& picture) {
    if (picture.empty()) return false;
    const QString name = QString::fromStdString(path);
    if (isPngName(name)) {
        QImageWriter writer(name, "png");
        return writer.write(toQImage(picture));
    }
    QImageWriter writer(name, "bmp");
    return writer.write(imageForBmp(picture));
}

}  // namespace lutavo
