// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/sheet_painter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <filesystem>

#include "services/qt/picture_qimage.h"

namespace lutavo {

namespace {

// The font files of the packages' versions, newest first.
constexpr const char* kFontRoot = "/usr/share/lilypond";
constexpr const char* kFontFile = "fonts/otf/emmentaler-20.otf";

QColor colourOf(Rgb rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

QFont textFont(TextFace face, double size) {
    const bool serif = face == TextFace::Serif || face == TextFace::SerifBold;
    QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    font.setBold(face == TextFace::SerifBold || face == TextFace::SansBold);
    font.setPointSizeF(size);
    return font;
}

struct SheetPainter {
    QPainter& p;
    double k;  // painter units to a point
    QPointF at(SheetPoint point) const { return {point.x * k, point.y * k}; }

    void pictures(const SheetDrawing& sheet) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        for (const SheetPicture& pic : sheet.pictures)
            p.drawImage(QRectF(at(pic.at), QSizeF(pic.width * k, pic.height * k)),
                        toQImage(pic.picture));
    }

    void lines(const SheetDrawing& sheet) {
        for (const SheetLine& l : sheet.lines) {
            p.setPen(QPen(colourOf(l.colour), l.width * k, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(at(l.from), at(l.to));
        }
    }

    void clears(const SheetDrawing& sheet) {
        for (const SheetClear& c : sheet.clears)
            p.fillRect(QRectF(at(c.at), QSizeF(c.width * k, c.height * k)), Qt::white);
    }

    void shapes(const SheetDrawing& sheet) {
        p.setPen(Qt::NoPen);
        for (const SheetShape& s : sheet.shapes) {
            if (s.points.empty()) continue;
            QPainterPath path(at(s.points.front()));
            if (s.curved) {
                for (std::size_t i = 1; i + 2 < s.points.size(); i += 3)
                    path.cubicTo(at(s.points[i]), at(s.points[i + 1]), at(s.points[i + 2]));
            } else {
                for (std::size_t i = 1; i < s.points.size(); ++i)
                    path.lineTo(at(s.points[i]));
            }
            path.closeSubpath();
            p.fillPath(path, colourOf(s.colour));
        }
    }

    void glyphs(const SheetDrawing& sheet, const QString& family) {
        if (family.isEmpty()) return;
        QFont font(family);
        p.setPen(Qt::black);
        double size = 0;
        for (const SheetGlyph& g : sheet.glyphs) {
            if (g.size != size) {
                size = g.size;
                font.setPointSizeF(size);
                p.setFont(font);
            }
            const char32_t code = g.code;
            p.drawText(at(g.at), QString::fromUcs4(&code, 1));
        }
    }

    void texts(const SheetDrawing& sheet) {
        for (const SheetText& t : sheet.texts) {
            if (t.text.empty()) continue;
            const QFont font = textFont(t.face, t.size);
            p.setFont(font);
            p.setPen(colourOf(t.colour));
            const QString text = QString::fromStdString(t.text);
            const double width = QFontMetricsF(font, p.device()).horizontalAdvance(text);
            QPointF origin = at(t.at);
            if (t.align == TextAlign::Centre) origin.rx() -= width / 2;
            if (t.align == TextAlign::Right) origin.rx() -= width;
            p.drawText(origin, text);
        }
    }
};

}  // namespace

std::string findMusicFont() {
    namespace fs = std::filesystem;
    std::vector<fs::path> found;
    std::error_code error;
    for (const auto& version : fs::directory_iterator(kFontRoot, error)) {
        const fs::path file = version.path() / kFontFile;
        if (fs::is_regular_file(file, error)) found.push_back(file);
    }
    if (found.empty()) return {};
    return std::max_element(found.begin(), found.end())->string();
}

QString musicFontFamily(const std::string& file) {
    if (file.empty()) return {};
    const int id = QFontDatabase::addApplicationFont(QString::fromStdString(file));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.front();
}

void paintSheet(QPainter& painter, const SheetDrawing& sheet, double unitsPerPoint,
                const QString& musicFamily) {
    SheetPainter p{painter, unitsPerPoint};
    painter.setRenderHint(QPainter::Antialiasing, true);
    p.pictures(sheet);
    p.lines(sheet);
    p.clears(sheet);
    p.shapes(sheet);
    p.glyphs(sheet, musicFamily);
    p.texts(sheet);
}

}  // namespace lutavo
