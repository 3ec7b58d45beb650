// SPDX-License-Identifier: GPL-3.0-or-later
#include "art.h"

#include <algorithm>
#include <cstring>

namespace lutavo::assetgen {

QImage blankImage(int width, int height, QRgb fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void stampRows(QImage& image, int x, int y, const std::vector<const char*>& rows, QRgb ink) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const char* row = rows[r];
        const int length = static_cast<int>(std::strlen(row));
        for (int c = 0; c < length; ++c) {
            const int px = x + c;
            const int py = y + static_cast<int>(r);
            if (row[c] == '#' && image.rect().contains(px, py)) image.setPixel(px, py, ink);
        }
    }
}

void stamp(QImage& image, int x, int y, std::initializer_list<const char*> rows, QRgb ink) {
    stampRows(image, x, y, std::vector<const char*>(rows), ink);
}

void fillBox(QImage& image, int x, int y, int width, int height, QRgb colour) {
    const QRect box = QRect(x, y, width, height).intersected(image.rect());
    for (int py = box.top(); py <= box.bottom(); ++py) {
        for (int px = box.left(); px <= box.right(); ++px)
            image.setPixel(px, py, colour);
    }
}

void hLine(QImage& image, int x0, int x1, int y, QRgb colour) {
    fillBox(image, std::min(x0, x1), y, std::abs(x1 - x0) + 1, 1, colour);
}

void vLine(QImage& image, int x, int y0, int y1, QRgb colour) {
    fillBox(image, x, std::min(y0, y1), 1, std::abs(y1 - y0) + 1, colour);
}

float Coverage::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0.0f;
    return amount[static_cast<std::size_t>(y) * width + x];
}

Coverage measureCoverage(int width, int height, const std::function<void(QPainter&)>& draw,
                         int scale) {
    QImage big(width * scale, height * scale, QImage::Format_Grayscale8);
    big.fill(0);
    {
        QPainter painter(&big);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.scale(scale, scale);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        draw(painter);
    }
    Coverage cover;
    cover.width = width;
    cover.height = height;
    cover.amount.assign(static_cast<std::size_t>(width) * height, 0.0f);
    const float cell = static_cast<float>(scale * scale) * 255.0f;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sum = 0;
            for (int sy = 0; sy < scale; ++sy) {
                const uchar* line = big.constScanLine(y * scale + sy);
                for (int sx = 0; sx < scale; ++sx)
                    sum += line[x * scale + sx];
            }
            cover.amount[static_cast<std::size_t>(y) * width + x] = static_cast<float>(sum) / cell;
        }
    }
    return cover;
}

void inkThreshold(QImage& image, int x, int y, const Coverage& cover, QRgb ink, float threshold) {
    for (int cy = 0; cy < cover.height; ++cy) {
        for (int cx = 0; cx < cover.width; ++cx) {
            if (cover.at(cx, cy) >= threshold && image.rect().contains(x + cx, y + cy)) {
                image.setPixel(x + cx, y + cy, ink);
            }
        }
    }
}

void inkBlend(QImage& image, int x, int y, const Coverage& cover, QColor ink) {
    for (int cy = 0; cy < cover.height; ++cy) {
        for (int cx = 0; cx < cover.width; ++cx) {
            const float a = cover.at(cx, cy) * static_cast<float>(ink.alphaF());
            if (a <= 0.0f || !image.rect().contains(x + cx, y + cy)) continue;
            const QRgb under = image.pixel(x + cx, y + cy);
            image.setPixel(x + cx, y + cy, mix(under, ink.rgb(), a));
        }
    }
}

QRgb mix(QRgb a, QRgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](int ca, int cb) { return static_cast<int>(ca + (cb - ca) * t + 0.5); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)),
                channel(qBlue(a), qBlue(b)));
}

QRgb shade(QRgb colour, double factor) {
    auto channel = [factor](int c) {
        return std::clamp(static_cast<int>(c * factor + 0.5), 0, 255);
    };
    return qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
}

bool allPixels(const QImage& image, const QRect& rect, QRgb colour) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (!image.rect().contains(x, y)) return false;
            if ((image.pixel(x, y) & 0xFFFFFF) != (colour & 0xFFFFFF)) return false;
        }
    }
    return true;
}

}  // namespace lutavo::assetgen
