// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts the program together: the state, the machine services, the window, start-up and
// shutdown; and the command line.

#include <QString>
#include <QStringList>
#include <memory>
#include <string>

namespace lutavo {

struct Guitar;
class LiveSound;
class MainWindow;
class SoundModule;
class HearingModule;

enum class ExportKind { None, Midi, Wave, Pdf, MusicXml, Score };

struct CommandLine {
    bool help = false;
    bool version = false;
    QString screenshot;  // --screenshot FILE.png
    QString chords;      // --chords ROOT:TYPE, the chord library to open at start
    QString scales;      // --scales ROOT:TYPE, the scale library to open at start
    QString folder;      // the folder, song or lesson named on the command line
    QString error;       // a word the program does not understand
    ExportKind exportKind = ExportKind::None;
    QString exportSong;    // the song an export plays
    QString exportOutput;  // the file it writes, or the take --score hears
    QString scoreRange;    // --range A-B: the notes a take is scored on
    QString paper;         // --paper a4|letter: the PDF's paper, else the locale's
    QString importInput;   // --import IN OUT.SNG: another program's file to convert
    QString importOutput;
    int importTrack = 0;  // --track N, 0 when not given
};

CommandLine parseCommandLine(const QStringList& arguments);
QString usageText();

struct LaunchOptions {
    QString appFolder;  // the program's data folder
    QString folderArg;  // "" when none was given
    QString lockPath;   // "" for the per-user lock
    // Message boxes and dialogs go to standard error and answer "no" (screenshots, tests).
    bool headless = false;
    // The sound stack, when linked in; else the module file is opened (soundModulePath()).
    SoundModule* soundModule = nullptr;
    // The hearing, when linked in; else its module file is opened when the window first listens.
    HearingModule* hearingModule = nullptr;
};

// <exe dir>/data/ when it exists (the build tree), else the installed data folder.
QString defaultAppFolder();
// <exe dir>/lutavo-sound.so when it exists (the build tree), else the installed module.
QString soundModulePath();
// The same for lutavo-hearing.so.
QString hearingModulePath();

class Application {
  public:
    explicit Application(const LaunchOptions& options);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Wires the services and runs the start-up sequence; false when the program must end now.
    bool start();
    MainWindow& window();
    Guitar& guitar();
    // The live sound, waiting for it to load; null when the program runs silent.
    LiveSound* sound();

  private:
    struct Parts;
    LaunchOptions options_;
    std::unique_ptr<Parts> parts_;
};

// Opens the chord library on "ROOT:TYPE" ("C:7th", "Bb:Minor 9th") as the menu and the strip
// would; false when the root or the type has no such name.
bool openChordLibrary(MainWindow& window, const QString& rootAndType);
// The scale library on a root and a scale type, as in "A:Major"; false when either is unknown.
bool openScaleLibrary(MainWindow& window, const QString& rootAndType);

// Loads song into the window and prints its pages into the PDF file at path, as Print Song
// stacks them; false (after the reason went to standard error) when either fails.
bool exportSongPdf(Application& app, const QString& song, const QString& path,
                   const QString& paper);

// Lets the window settle and writes it to a PNG file; false when the file cannot be written.
bool saveScreenshot(MainWindow& window, const QString& path);

}  // namespace lutavo
