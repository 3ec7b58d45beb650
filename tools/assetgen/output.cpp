// SPDX-License-Identifier: GPL-3.0-or-later
#include "output.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace lutavo::assetgen {

namespace {

QVector<QRgb> distinctColours(const QImage& image, int limit) {
    QVector<QRgb> colours;
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            if (seen.contains(c)) continue;
            seen.insert(c);
            colours.push_back(c);
            if (colours.size() > limit) return colours;
        }
    }
    return colours;
}

QImage forBmp(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QVector<QRgb> colours = distinctColours(rgb, 16);
    if (colours.size() > 16) return rgb;
    // An exact palette: each pixel maps to its own colour, nothing is dithered.
    return rgb.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither);
}

bool writeImage(const QImage& image, const QString& path, const char* format, QString* error) {
    if (image.save(path, format)) return true;
    if (error) *error = "cannot write " + path;
    return false;
}

void putLe(QByteArray& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t getLe(const QByteArray& bytes, int at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

}  // namespace

bool savePicture(const QImage& image, const QString& folder, const QString& fileName,
                 const OutputOptions& options, QString* error) {
    // A name may lie in a subfolder of the data folder (the course's pictures).
    if (!QDir().mkpath(QFileInfo(QDir(folder).filePath(fileName)).path())) {
        if (error) *error = "cannot create " + folder;
        return false;
    }
    if (!writeImage(forBmp(image), QDir(folder).filePath(fileName), "BMP", error)) return false;
    const QString pngName = QFileInfo(fileName).completeBaseName() + ".png";
    if (options.pngCopies) {
        const QString pngFolder = QDir(folder).filePath("png");
        QDir().mkpath(pngFolder);
        if (!writeImage(image, QDir(pngFolder).filePath(pngName), "PNG", error)) return false;
    }
    if (options.previews) {
        const QString previewFolder = QDir(folder).filePath("preview");
        QDir().mkpath(previewFolder);
        const QImage big = image.scaled(image.width() * 4, image.height() * 4,
                                        Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!writeImage(big, QDir(previewFolder).filePath(pngName), "PNG", error)) return false;
    }
    return true;
}

bool saveClip(const std::vector<std::int16_t>& samples, const QString& path, QString* error) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    QByteArray bytes;
    bytes.append("RIFF");
    putLe(bytes, 36 + dataBytes, 4);
    bytes.append("WAVEfmt ");
    putLe(bytes, 16, 4);
    putLe(bytes, 1, 2);  // PCM
    putLe(bytes, 1, 2);  // mono
    putLe(bytes, kClipRate, 4);
    putLe(bytes, kClipRate * 2, 4);
    putLe(bytes, 2, 2);
    putLe(bytes, 16, 2);
    bytes.append("data");
    putLe(bytes, dataBytes, 4);
    for (std::int16_t s : samples)
        putLe(bytes, static_cast<std::uint16_t>(s), 2);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        if (error) *error = "cannot write " + path;
        return false;
    }
    return true;
}

std::vector<std::int16_t> loadClip(const QString& path, int* sampleRate, int* channels, int* bits) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 44 || !bytes.startsWith("RIFF") || bytes.mid(8, 8) != "WAVEfmt ") return {};
    *channels = static_cast<int>(getLe(bytes, 22, 2));
    *sampleRate = static_cast<int>(getLe(bytes, 24, 4));
    *bits = static_cast<int>(getLe(bytes, 34, 2));
    if (bytes.mid(36, 4) != "data") return {};
    const std::uint32_t dataBytes = getLe(bytes, 40, 4);
    if (dataBytes > static_cast<std::uint32_t>(bytes.size() - 44)) return {};
    std::vector<std::int16_t> samples(dataBytes / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>(getLe(bytes, 44 + static_cast<int>(2 * i), 2));
    }
    return samples;
}

}  // namespace lutavo::assetgen
