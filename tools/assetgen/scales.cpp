// SPDX-License-Identifier: GPL-3.0-or-later
#include "scales.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "art.h"
#include "notation.h"
#include "pixel_font.h"

namespace lutavo::assetgen {

namespace {

constexpr QRgb kPanel = 0xFFF4F1E6;
constexpr QRgb kFrame = 0xFF9C9480;
constexpr QRgb kTick = 0xFF6C6454;
constexpr QRgb kLabel = 0xFF2A2418;
constexpr int kTickTop = 24;

// The tempo number shown for each tempo step 1..30: 25 at step 30, each faster step 7.5% more.
int tempoNumber(int step) {
    double value = 25;
    for (int t = 30; t > step; --t)
        value = std::nearbyint(value * 0.075 + value);
    return static_cast<int>(value);
}

const char* keyName(int key) {
    static const char* const kNames[16] = {"C",  "C", "F",  "G", "Bb", "D",  "Eb", "A",
                                           "Ab", "E", "Db", "B", "Gb", "F#", "Cb", "C#"};
    return kNames[key];
}

void drawText(QImage& image, const Fonts& fonts, double centreX, double centreY,
              const QString& text, double size) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(fonts.font(Face::SansBold, size));
    painter.setPen(QColor(kLabel));
    painter.drawText(QRectF(centreX - 20, centreY - 10, 40, 20), Qt::AlignCenter, text);
}

void drawPixelLabel(QImage& image, double centreX, int top, const std::string& text,
                    PixelFace face) {
    // Labels of the end slots stay inside the frame.
    const int width = pixelTextWidth(text, face);
    const int left = std::clamp(static_cast<int>(std::lround(centreX - width / 2.0)), 3,
                                kScaleWidth - 3 - width);
    drawPixelText(image, left, top, text, face, kLabel);
}

void drawTicks(QImage& image, int count) {
    for (int k = 1; k <= count; ++k) {
        const int x = static_cast<int>(std::lround(slotCentre(count, k)));
        vLine(image, x, kTickTop, kScaleHeight - 3, kTick);
    }
    hLine(image, static_cast<int>(slotCentre(count, 1)), static_cast<int>(slotCentre(count, count)),
          kScaleHeight - 3, kTick);
}

void drawLabels(QImage& image, ScaleKind kind, const Fonts& fonts) {
    const int count = slotCount(kind);
    for (int k = 1; k <= count; ++k) {
        const double x = slotCentre(count, k);
        switch (kind) {
            case ScaleKind::TimeSignature: {
                static const char* const kSigs[6] = {"\u2014", "2/2", "2/4", "3/4", "4/4", "6/8"};
                drawText(image, fonts, x, 12, kSigs[k - 1], 11);
                break;
            }
            case ScaleKind::Key:
                drawPixelLabel(image, x, 8, keyName(k), PixelFace::Narrow);
                break;
            case ScaleKind::Capo:
                drawText(image, fonts, x, 12, k == 1 ? "off" : QString::number(k - 1), 11);
                break;
            case ScaleKind::Volume: {
                // Rising bars, loudest on the right.
                const int height = 2 + 2 * k;
                fillBox(image, static_cast<int>(std::lround(x)) - 3, kTickTop - 2 - height, 7,
                        height, mix(0xFF7CC47C, 0xFFD04A2A, (k - 1) / 9.0));
                break;
            }
            case ScaleKind::Tempo:
                if ((k - 1) % 4 == 0) {
                    drawPixelLabel(image, x, 8, std::to_string(tempoNumber(31 - k)),
                                   PixelFace::Narrow);
                }
                break;
            case ScaleKind::LeadIn:
                drawText(image, fonts, x, 12, k == 9 ? "0" : QString::number(9 - k), 11);
                break;
            case ScaleKind::NoteLength:
                drawNoteSymbol(image, static_cast<int>(std::lround(x)) - 3, -1, k, kLabel);
                break;
        }
    }
}

}  // namespace

int slotCount(ScaleKind kind) {
    switch (kind) {
        case ScaleKind::TimeSignature:
            return 6;
        case ScaleKind::Key:
            return 15;
        case ScaleKind::Capo:
            return 8;
        case ScaleKind::Volume:
            return 10;
        case ScaleKind::Tempo:
            return 29;
        case ScaleKind::LeadIn:
            return 9;
        case ScaleKind::NoteLength:
            return 10;
    }
    return 1;
}

double slotCentre(int count, int k) {
    const double slotTwips = (3080.0 - 3080.0 / (2.0 * count)) / count;
    return k * slotTwips / 15.0;
}

QImage drawScale(ScaleKind kind, const Fonts& fonts) {
    QImage image = blankImage(kScaleWidth, kScaleHeight, kPanel);
    for (int x = 0; x < kScaleWidth; ++x) {
        image.setPixel(x, 0, kFrame);
        image.setPixel(x, kScaleHeight - 1, kFrame);
    }
    vLine(image, 0, 0, kScaleHeight - 1, kFrame);
    vLine(image, kScaleWidth - 1, 0, kScaleHeight - 1, kFrame);
    drawTicks(image, slotCount(kind));
    drawLabels(image, kind, fonts);
    return image;
}

}  // namespace lutavo::assetgen
