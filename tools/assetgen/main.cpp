// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture and synthesises every clip of the program into the folder given on the
// command line:  lutavo_assetgen <folder> [--preview] [--no-png]
// The desktop icon goes to a folder of its own:  lutavo_assetgen --icon <folder>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "assets.h"
#include "fonts.h"
#include "icon.h"
#include "output.h"
#include "sample.h"

int main(int argc, char** argv) {
    // Drawing needs a GUI application but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    // --zoom <picture> <x> <y> <width> <height> <factor> <out.png>: an enlarged crop, for
    // looking at single glyphs.
    if (args.size() == 8 && args[0] == "--zoom") {
        const QImage source(args[1]);
        const QImage crop =
            source.copy(args[2].toInt(), args[3].toInt(), args[4].toInt(), args[5].toInt());
        const int factor = args[6].toInt();
        return crop.scaled(crop.width() * factor, crop.height() * factor, Qt::IgnoreAspectRatio,
                           Qt::FastTransformation)
                       .save(args[7])
                   ? 0
                   : 1;
    }
    if (args.size() == 2 && args[0] == "--icon") {
        QString error;
        if (lutavo::assetgen::writeIcons(args[1], &error)) return 0;
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QString folder;
    lutavo::assetgen::OutputOptions options;
    for (const QString& arg : args) {
        if (arg == "--preview") {
            options.previews = true;
        } else if (arg == "--no-png") {
            options.pngCopies = false;
        } else if (!arg.startsWith("--") && folder.isEmpty()) {
            folder = arg;
        } else {
            std::fprintf(stderr, "unknown argument %s\n", qPrintable(arg));
            return 2;
        }
    }
    if (folder.isEmpty()) {
        std::fprintf(stderr, "usage: lutavo_assetgen <output folder> [--preview] [--no-png]\n");
        return 2;
    }
    QString missing;
    const auto fonts = lutavo::assetgen::loadFonts(&missing);
    if (!fonts) {
        std::fprintf(stderr, "cannot load the font %s\n", qPrintable(missing));
        return 1;
    }
    QString error;
    if (!lutavo::assetgen::writeAllAssets(folder, *fonts, options, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (options.previews) {
        // The sheets at work: a page and the neck composed the way the program composes them.
        lutavo::assetgen::OutputOptions previewOnly;
        previewOnly.pngCopies = false;
        previewOnly.previews = true;
        const QString folderOfSamples = folder + "/samples";
        if (!lutavo::assetgen::savePicture(lutavo::assetgen::composeSampleScore(*fonts),
                                           folderOfSamples, "page.bmp", previewOnly, &error) ||
            !lutavo::assetgen::savePicture(lutavo::assetgen::composeSampleNeck(), folderOfSamples,
                                           "neck.bmp", previewOnly, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
