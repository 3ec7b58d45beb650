// SPDX-License-Identifier: GPL-3.0-or-later
#include "neck.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>

#include "art.h"
#include "sheet_layout.h"

namespace lutavo::assetgen {

namespace {

using namespace layout;

constexpr QRgb kWood = 0xFF4E3223;
constexpr QRgb kBinding = 0xFFE6D9B8;
constexpr QRgb kNutBone = 0xFFEEE7D3;
constexpr QRgb kSpruce = 0xFFD8B579;
constexpr int kBoardEnd = 624;  // the fingerboard stops here; the guitar's top shows beyond

// The picture is cut out of a wider scene: right-handed x runs from -15 (behind the nut) to
// 633, so the left-handed picture, x' = 618 - x, is the same scene mirrored.
constexpr int kSceneLeft = -15;
constexpr int kSceneWidth = kNeckWidth - kSceneLeft;

double lattice(int x, int y) {
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

// Smooth value noise, so the grain drifts instead of speckling.
double smoothNoise(double x, double y) {
    const int ix = static_cast<int>(std::floor(x));
    const int iy = static_cast<int>(std::floor(y));
    const double fx = x - ix;
    const double fy = y - iy;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * sx;
    const double bottom =
        lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * sx;
    return top + (bottom - top) * sy;
}

// Rosewood: long streaks along the neck, a little darker towards the edges.
QRgb woodAt(int x, int y) {
    const double grain =
        smoothNoise(x / 45.0 + 100, y / 1.6) * 0.6 + smoothNoise(x / 12.0, y / 0.9) * 0.4;
    const double edge = 1.0 - 0.10 * std::pow(std::abs(y - 45.0) / 45.0, 2.0);
    return shade(kWood, (0.90 + 0.20 * grain) * edge);
}

void paintWood(QImage& scene) {
    for (int y = 0; y < kNeckHeight; ++y) {
        for (int sx = 0; sx < scene.width(); ++sx) {
            const int x = sx + kSceneLeft;
            scene.setPixel(sx, y,
                           x >= kBoardEnd
                               ? shade(kSpruce, 0.96 + 0.06 * smoothNoise(x / 2.0, y / 30.0))
                               : woodAt(x, y));
        }
    }
    const int end = kBoardEnd - kSceneLeft;
    vLine(scene, end, 0, kNeckHeight - 1, 0xFF2A1A10);
    vLine(scene, end + 1, 0, kNeckHeight - 1, shade(kSpruce, 0.75));
    hLine(scene, 0, end - 1, 0, kBinding);
    hLine(scene, 0, end - 1, kNeckHeight - 1, kBinding);
    hLine(scene, 0, end - 1, 1, shade(kWood, 0.7));
    hLine(scene, 0, end - 1, kNeckHeight - 2, shade(kWood, 0.7));
}

void paintNutAndFrets(QImage& scene) {
    const int nut = kFretEdgeX[0] - 3 - kSceneLeft;  // x = 13..15, its shadow on 16
    for (int i = 0; i < 3; ++i) {
        vLine(scene, nut + i, 1, kNeckHeight - 2, shade(kNutBone, 1.0 - 0.07 * i));
    }
    vLine(scene, nut + 3, 1, kNeckHeight - 2, shade(kWood, 0.6));
    for (int f = 1; f <= kFrets; ++f) {
        const int x = kFretEdgeX[f] - kSceneLeft;
        // The wire straddles the edge: its last pixel in fret f, its first in fret f + 1.
        vLine(scene, x - 1, 1, kNeckHeight - 2, 0xFFE4E4DC);
        vLine(scene, x, 1, kNeckHeight - 2, 0xFF9C9C94);
        for (int y = 2; y < kNeckHeight - 2; ++y) {
            scene.setPixel(x + 1, y, shade(scene.pixel(x + 1, y), 0.78));
        }
    }
}

void paintInlay(QPainter& painter, double cx, double cy, double radius) {
    QRadialGradient pearl(QPointF(cx - radius * 0.35, cy - radius * 0.35), radius * 1.4);
    pearl.setColorAt(0.0, QColor(0xFB, 0xFA, 0xF4));
    pearl.setColorAt(0.55, QColor(0xE6, 0xE2, 0xEA));
    pearl.setColorAt(1.0, QColor(0xC4, 0xCC, 0xD6));
    painter.setBrush(pearl);
    painter.setPen(QPen(QColor(0x2C, 0x1C, 0x12), 0.6));
    painter.drawEllipse(QPointF(cx, cy), radius, radius);
}

void paintInlays(QImage& scene) {
    QPainter painter(&scene);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(-kSceneLeft, 0);
    const double middle = kStringY[3] + 6 + 7.0;  // halfway between the third and fourth slots
    for (int f : {3, 5, 7, 9, 12, 15, 17, 19, 21, 24}) {
        const double left = kFretEdgeX[f - 1];
        const double right = kFretEdgeX[f];
        const double cx = (left + right) / 2.0;
        const double radius = std::min(4.5, (right - left) * 0.27);
        if (f == 12 || f == 24) {
            paintInlay(painter, cx, middle - 14.0, radius);
            paintInlay(painter, cx, middle + 14.0, radius);
        } else {
            paintInlay(painter, cx, middle, radius);
        }
    }
}

struct StringLook {
    int firstRow;            // relative to the top of the string's marker row
    std::vector<QRgb> rows;  // top to bottom
    bool wound;
};

// Graded from the heavy wound sixth string (slot 1) to the thin plain first (slot 6), each
// centred on the middle of its 12-pixel marker row.
StringLook stringLook(int slot) {
    switch (slot) {
        case 1:
            return {4, {0xFFF0DAA6, 0xFFD2B072, 0xFFB08C50, 0xFF7A5E34}, true};
        case 2:
            return {5, {0xFFEED6A0, 0xFFC8A668, 0xFF8C6E40}, true};
        case 3:
            return {5, {0xFFEAD29A, 0xFFA8884E}, true};
        case 4:
            return {5, {0xFFE6CE96, 0xFF9E7E48}, true};
        case 5:
            return {6, {0xFFE2E2E6}, false};
        default:
            return {6, {0xFFF2F2F4}, false};
    }
}

void paintStrings(QImage& scene) {
    for (int slot = 1; slot <= 6; ++slot) {
        const StringLook look = stringLook(slot);
        const int top = kStringY[slot - 1] + look.firstRow;
        for (int sx = 0; sx < scene.width(); ++sx) {
            for (std::size_t r = 0; r < look.rows.size(); ++r) {
                QRgb c = look.rows[r];
                // The winding shows as a fine slanted ripple.
                if (look.wound && (sx + static_cast<int>(r)) % 2 == 0) c = shade(c, 0.86);
                scene.setPixel(sx, top + static_cast<int>(r), c);
            }
            const int below = top + static_cast<int>(look.rows.size());
            scene.setPixel(sx, below, shade(scene.pixel(sx, below), 0.7));
        }
    }
}

QImage drawScene() {
    QImage scene = blankImage(kSceneWidth, kNeckHeight);
    paintWood(scene);
    paintInlays(scene);
    paintNutAndFrets(scene);
    paintStrings(scene);
    return scene;
}

}  // namespace

QRgb fingerboardColour() {
    return kWood;
}

QImage drawNeck(Hand hand) {
    const QImage scene = drawScene();
    const QImage source = hand == Hand::Right ? scene : scene.mirrored(true, false);
    // Right hand: scene x - 15 = picture x. Left hand: mirrored scene column X shows scene x
    // 633 - X, and picture x' must show 618 - x', so X = x' + 15 in both cases.
    return source.copy(-kSceneLeft, 0, kNeckWidth, kNeckHeight);
}

QImage drawCapo() {
    QImage capo = blankImage(kCapoWidth, kCapoHeight);
    QPainter painter(&capo);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient metal(0, 0, kCapoWidth, 0);
    metal.setColorAt(0.0, QColor(0x8A, 0x8C, 0x92));
    metal.setColorAt(0.3, QColor(0xE8, 0xEA, 0xEE));
    metal.setColorAt(1.0, QColor(0x6A, 0x6C, 0x72));
    painter.fillRect(capo.rect(), metal);
    QLinearGradient rubber(2, 0, kCapoWidth - 2, 0);
    rubber.setColorAt(0.0, QColor(0x50, 0x50, 0x54));
    rubber.setColorAt(0.4, QColor(0x2A, 0x2A, 0x2E));
    rubber.setColorAt(1.0, QColor(0x14, 0x14, 0x16));
    painter.fillRect(QRectF(2, 3, kCapoWidth - 4, kCapoHeight - 6), rubber);
    painter.setPen(QColor(0x40, 0x40, 0x44));
    painter.drawRect(QRectF(0.5, 0.5, kCapoWidth - 1, kCapoHeight - 1));
    return capo;
}

}  // namespace lutavo::assetgen
