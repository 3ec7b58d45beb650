// SPDX-License-Identifier: GPL-3.0-or-later
// Lutavo: guitar tutor and score editor.

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "config/config_file.h"
#include "ui/application.h"
#include "ui/export_run.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    // --help and --version answer without a display, so the command line is read first.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const lutavo::CommandLine line = lutavo::parseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "lutavo: %s\n\n%s", qPrintable(line.error),
                     qPrintable(lutavo::usageText()));
        return 2;
    }
    if (line.help) {
        std::printf("%s", qPrintable(lutavo::usageText()));
        return 0;
    }
    if (line.version) {
        std::printf("lutavo %s\n", LUTAVO_VERSION);
        return 0;
    }

    if (!line.importInput.isEmpty()) {
        QCoreApplication core(argc, argv);
        lutavo::ImportRequest request;
        request.input = line.importInput.toStdString();
        request.output = line.importOutput.toStdString();
        request.track = line.importTrack;
        request.appFolder = lutavo::defaultAppFolder().toStdString();
        request.userConfig = lutavo::userConfigPath();
        return lutavo::runImport(request);
    }

    const bool pdf = line.exportKind == lutavo::ExportKind::Pdf;
    if (line.exportKind != lutavo::ExportKind::None && !pdf) {
        // An export needs no window: only the program's folder, found the usual way.
        QCoreApplication core(argc, argv);
        lutavo::ExportRequest request;
        request.song = line.exportSong.toStdString();
        request.output = line.exportOutput.toStdString();
        request.range = line.scoreRange.toStdString();
        request.appFolder = lutavo::defaultAppFolder().toStdString();
        request.userConfig = lutavo::userConfigPath();
        return lutavo::runExport(line.exportKind, request);
    }

    // A PDF is printed from the window's pages, drawn where no display is needed.
    if (pdf) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    QApplication::setApplicationName("Lutavo");
    QApplication::setApplicationVersion(LUTAVO_VERSION);

    lutavo::LaunchOptions options;
    options.appFolder = lutavo::defaultAppFolder();
    options.folderArg = line.folder;
    const bool screenshot = !line.screenshot.isEmpty();
    if (screenshot || pdf) {
        // A screenshot run waits for nobody and may run beside a copy in use.
        options.headless = true;
        options.lockPath = QDir::temp().filePath(
            QString("lutavo-shot-%1.lock").arg(QApplication::applicationPid()));
    }
    lutavo::Application app(options);
    if (!app.start()) return 1;
    if (!line.chords.isEmpty() && !lutavo::openChordLibrary(app.window(), line.chords)) {
        std::fprintf(stderr, "lutavo: no chord library %s\n", qPrintable(line.chords));
        return 2;
    }
    if (!line.scales.isEmpty() && !lutavo::openScaleLibrary(app.window(), line.scales)) {
        std::fprintf(stderr, "lutavo: no scale library %s\n", qPrintable(line.scales));
        return 2;
    }
    if (pdf)
        return lutavo::exportSongPdf(app, line.exportSong, line.exportOutput, line.paper) ? 0 : 1;
    if (screenshot) {
        if (!lutavo::saveScreenshot(app.window(), line.screenshot)) {
            std::fprintf(stderr, "lutavo: cannot write %s\n", qPrintable(line.screenshot));
            return 1;
        }
        return 0;
    }
    return QApplication::exec();
}
