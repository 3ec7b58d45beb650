// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outline fonts of the larger texts, loaded from the system's DejaVu files by path so the
// pictures come out the same on every build machine.

#include <QFont>
#include <QString>
#include <map>
#include <optional>

namespace lutavo::assetgen {

enum class Face { Sans, SansBold, SansCondensedBold, Serif, SerifBold };

struct Fonts {
    std::map<Face, QString> family;  // the family name each file registered under
    QFont font(Face face, double pixelSize) const;
};

// Registers the DejaVu files with the font database (needs a QGuiApplication). Without a file
// the result is empty and *missing names it.
std::optional<Fonts> loadFonts(QString* missing);

}  // namespace lutavo::assetgen
