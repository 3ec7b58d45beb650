// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/application.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPixmap>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "app/chord_library.h"
#include "app/mode_bar.h"
#include "app/scale_library.h"
#include "app/song_files.h"
#include "app/startup.h"
#include "config/config_file.h"
#include "core/guitar.h"
#include "display/page_render.h"
#include "platform/dialogs.h"
#include "platform/sound_clock.h"
#include "playback/settings_adjuster.h"
#include "practice/practice_record.h"
#include "print/print_song.h"
#include "services/hearing_module/hearing_module.h"
#include "services/qt/qt_dialogs.h"
#include "services/qt/qt_instance_lock.h"
#include "services/qt/qt_picture_io.h"
#include "services/qt/qt_printer.h"
#include "services/qt/qt_screen.h"
#include "services/sound_module/deferred_sound.h"
#include "theory/chord_types.h"
#include "theory/scale_fingering.h"
#include "ui/headless_dialogs.h"
#include "ui/main_window.h"
#include "ui/view_units.h"

#ifndef LUTAVO_INSTALL_DATADIR
#define LUTAVO_INSTALL_DATADIR "/usr/local/share/lutavo"
#endif

namespace lutavo {

namespace {

// Folders reach the program as absolute paths.
std::string absolute(const QString& folder) {
    if (folder.isEmpty()) return "";
    return QDir::cleanPath(QDir(folder).absolutePath()).toStdString();
}

// The desktop's documents folder, or the home folder where there is none.
std::string documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents.toStdString();
    return QDir::homePath().toStdString();
}

ExportKind exportKindOf(const QString& option) {
    if (option == "--export-midi") return ExportKind::Midi;
    if (option == "--render-wav") return ExportKind::Wave;
    if (option == "--export-musicxml") return ExportKind::MusicXml;
    if (option == "--score") return ExportKind::Score;
    return ExportKind::Pdf;
}

// Keeps the messages of start-up until the window is on screen, so that a problem with the
// configuration or a file is shown with the window and not before it.
class HeldMessages : public Dialogs {
  public:
    explicit HeldMessages(Dialogs& inner) : inner_(inner) {}
    MessageAnswer message(const std::string& text, const std::string& caption,
                          MessageButtons buttons) override {
        if (buttons != MessageButtons::Ok) return inner_.message(text, caption, buttons);
        held_.emplace_back(text, caption);
        return MessageAnswer::Ok;
    }
    std::optional<std::string> openFile(const FileDialogRequest& r) override {
        return inner_.openFile(r);
    }
    std::optional<std::string> saveFile(const FileDialogRequest& r) override {
        return inner_.saveFile(r);
    }
    int popupMenu(const Menu& menu) override { return inner_.popupMenu(menu); }
    bool printerSetup() override { return inner_.printerSetup(); }
    std::optional<SheetRange> printDialog(int sheets) override {
        return inner_.printDialog(sheets);
    }
    int chooseItem(const ChoiceRequest& request) override { return inner_.chooseItem(request); }
    std::optional<std::vector<int>> askNumbers(const std::string& title,
                                               const std::vector<NumberField>& fields) override {
        return inner_.askNumbers(title, fields);
    }
    std::optional<std::string> showProgress(const ProgressReport& report) override {
        return inner_.showProgress(report);
    }
    bool holding() const { return !held_.empty(); }
    void release() {
        for (const auto& [text, caption] : held_)
            inner_.message(text, caption, MessageButtons::Ok);
        held_.clear();
    }

  private:
    Dialogs& inner_;
    std::vector<std::pair<std::string, std::string>> held_;
};

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "--help" || a == "-h") {
            line.help = true;
        } else if (a == "--version") {
            line.version = true;
        } else if (a == "--screenshot") {
            if (i + 1 >= arguments.size()) {
                line.error = "--screenshot needs a file name";
                return line;
            }
            line.screenshot = arguments[++i];
        } else if (a == "--chords" || a == "--scales") {
            if (i + 1 >= arguments.size() || !arguments[i + 1].contains(':')) {
                line.error = a + " needs a root and a type, as in " +
                             (a == "--chords" ? "C:7th" : "A:Major");
                return line;
            }
            (a == "--chords" ? line.chords : line.scales) = arguments[++i];
        } else if (a == "--import") {
            if (i + 2 >= arguments.size()) {
                line.error = "--import needs the file to import and the song file to write";
                return line;
            }
            line.importInput = arguments[++i];
            line.importOutput = arguments[++i];
        } else if (a == "--track") {
            bool number = false;
            line.importTrack = i + 1 < arguments.size() ? arguments[i + 1].toInt(&number) : 0;
            if (!number || line.importTrack < 1) {
                line.error = "--track needs a track number from 1 on";
                return line;
            }
            ++i;
        } else if (a == "--paper") {
            line.paper = i + 1 < arguments.size() ? arguments[++i].toLower() : QString();
            if (line.paper != "a4" && line.paper != "letter") {
                line.error = "--paper needs a4 or letter";
                return line;
            }
        } else if (a == "--range") {
            if (i + 1 >= arguments.size()) {
                line.error = "--range needs the first and last note, as in 9-16";
                return line;
            }
            line.scoreRange = arguments[++i];
        } else if (a == "--export-midi" || a == "--render-wav" || a == "--export-pdf" ||
                   a == "--export-musicxml" || a == "--score") {
            if (i + 2 >= arguments.size()) {
                line.error = a == "--score" ? "--score needs a song file and a recorded take"
                                            : a + " needs a song file and an output file";
                return line;
            }
            line.exportKind = exportKindOf(a);
            line.exportSong = arguments[++i];
            line.exportOutput = arguments[++i];
        } else if (a.startsWith("-")) {
            line.error = "unknown option " + a;
            return line;
        } else if (line.folder.isEmpty()) {
            line.folder = a;
        } else {
            line.error = "only one folder can be given";
            return line;
        }
    }
    if (line.importTrack > 0 && line.importInput.isEmpty())
        line.error = "--track goes with --import";
    if (!line.scoreRange.isEmpty() && line.exportKind != ExportKind::Score)
        line.error = "--range goes with --score";
    if (!line.paper.isEmpty() && line.exportKind != ExportKind::Pdf)
        line.error = "--paper goes with --export-pdf";
    return line;
}

QString usageText() {
    // The manual page is made from this text: a heading ends with a colon, an entry starts with
    // two spaces and goes on, indented further, on the lines after it.
    return "Usage: lutavo [FOLDER | SONG]\n"
           "       lutavo --screenshot FILE.png [--chords ROOT:TYPE | --scales ROOT:TYPE]\n"
           "                                    [FOLDER | SONG]\n"
           "       lutavo --export-midi SONG OUT.mid\n"
           "       lutavo --render-wav SONG OUT.wav\n"
           "       lutavo --export-pdf SONG OUT.pdf [--paper a4|letter]\n"
           "       lutavo --export-musicxml SONG OUT.musicxml\n"
           "       lutavo --import FILE OUT.SNG [--track N]\n"
           "       lutavo --score SONG TAKE.wav [--range A-B]\n"
           "\n"
           "Guitar tutor and score editor. FOLDER is where the song dialog starts and songs find\n"
           "their pictures; without it the program's own folder is used. SONG (a .SNG song, a\n"
           ".LSN lesson, or a tablature, MusicXML or text tablature file) is opened at start,\n"
           "its folder taking FOLDER's place.\n"
           "\n"
           "Options:\n"
           "  --screenshot FILE.png  start as usual, save the window to FILE.png and end\n"
           "  --chords ROOT:TYPE     open the chord library on a root and a chord type,\n"
           "                         as in C:7th or \"Bb:Minor 9th\"\n"
           "  --scales ROOT:TYPE     open the scale library on a root and a scale type,\n"
           "                         as in A:Major or \"E:Minor Pentatonic\"\n"
           "  --export-midi SONG OUT.mid\n"
           "                         play SONG from its first note to its end with the\n"
           "                         configured sound and write what is sent as a MIDI file\n"
           "  --render-wav SONG OUT.wav\n"
           "                         the same played by the built-in synthesizer, with the\n"
           "                         metronome's clicks, into a WAV file\n"
           "  --export-pdf SONG OUT.pdf\n"
           "                         print SONG's lines into a PDF file, without a display\n"
           "  --paper a4|letter      the PDF's paper; without it, Letter where the locale\n"
           "                         measures in inches and A4 elsewhere\n"
           "  --export-musicxml SONG OUT.musicxml\n"
           "                         write SONG as a MusicXML score for notation programs\n"
           "  --import FILE OUT.SNG  convert a tablature (.gp3 .gp4 .gp5 .gp), MusicXML "
           "(.musicxml\n"
           "                         .xml .mxl) or text tablature (.txt .tab) file into a song;\n"
           "                         a piece longer than one song becomes OUT-1.SNG, OUT-2.SNG "
           "...\n"
           "  --track N              the track of FILE to convert (as numbered when Lutavo\n"
           "                         asks), else the first six-string guitar track\n"
           "  --score SONG TAKE.wav  hear a recorded take of SONG (WAV, FLAC, Ogg or MP3) and\n"
           "                         judge each note as hit, early, late, wrong or missed,\n"
           "                         timing the take from its first notes; prints a line\n"
           "                         of results for each line of the song, then the total\n"
           "  --range A-B            score only notes A to B of SONG (counted from 1), the\n"
           "                         take starting with note A\n"
           "  --help                 show this text\n"
           "  --version              show the program's version\n"
           "\n"
           "Files:\n"
           "  ~/.config/lutavo/ltmidi32.cfg\n"
           "                         the sounds and preferences, written by Save in the\n"
           "                         setup window; until then the program's own defaults\n"
           "  ~/.local/share/lutavo/practice.db\n"
           "                         the record of every looped passage practised\n"
           "  PREFIX/share/lutavo/   the program's songs, lessons, pictures, sounds and\n"
           "                         default settings, PREFIX being the folder above the\n"
           "                         program's own (/usr for the Debian package)\n"
           "\n"
           "Environment:\n"
           "  LUTAVO_SOUNDFONT       the General MIDI sound font (.sf2) to play with, in\n"
           "                         place of the system's\n"
           "  XDG_CONFIG_HOME        the folder that holds lutavo/ in place of ~/.config\n"
           "  XDG_DATA_HOME          the folder that holds lutavo/ in place of ~/.local/share\n";
}

QString defaultAppFolder() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString beside = programFolder + "/data";
    if (QFileInfo(beside).isDir()) return beside;
#ifdef LUTAVO_DATADIR_FROM_BINDIR
    // An installed copy finds its data beside its own prefix, wherever that was moved.
    const QString installed = QDir::cleanPath(programFolder + "/" + LUTAVO_DATADIR_FROM_BINDIR);
    if (QFileInfo(installed).isDir()) return installed;
#endif
    return QStringLiteral(LUTAVO_INSTALL_DATADIR);
}

namespace {

// A module file beside the program (the build tree), else beside its installed prefix, else where
// the build put it (a test or benchmark) or would install it.
QString modulePath(const char* file, const char* built) {
    const QString programFolder = QCoreApplication::applicationDirPath();
    const QString beside = programFolder + "/" + file;
    if (QFileInfo(beside).isFile()) return beside;
#ifdef LUTAVO_MODULEDIR_FROM_BINDIR
    const QString installed =
        QDir::cleanPath(programFolder + "/" + LUTAVO_MODULEDIR_FROM_BINDIR + "/" + file);
    if (QFileInfo(installed).isFile()) return installed;
#endif
    return built != nullptr ? QString(built) : beside;
}

}  // namespace

QString soundModulePath() {
#ifdef LUTAVO_SOUND_MODULE
    return modulePath(kSoundModuleFile, LUTAVO_SOUND_MODULE);
#else
    return modulePath(kSoundModuleFile, nullptr);
#endif
}

QString hearingModulePath() {
#ifdef LUTAVO_HEARING_MODULE
    return modulePath(kHearingModuleFile, LUTAVO_HEARING_MODULE);
#else
    return modulePath(kHearingModuleFile, nullptr);
#endif
}

namespace {

DeferredHearing::Opener hearingModuleOpener(const LaunchOptions& options) {
    if (options.hearingModule != nullptr) {
        return [module = options.hearingModule](std::string&) { return module; };
    }
    return [path = hearingModulePath().toStdString()](std::string& problem) {
        return openHearingModule(path, problem);
    };
}

DeferredSound::Opener soundModuleOpener(const LaunchOptions& options) {
    if (options.soundModule != nullptr) {
        return [module = options.soundModule](std::string&) { return module; };
    }
    return [path = soundModulePath().toStdString()](std::string& problem) {
        return openSoundModule(path, problem);
    };
}

}  // namespace

struct Application::Parts {
    SoundClock soundClock;  // first made, last gone: the window and the audio both use it
    std::unique_ptr<Guitar> guitar = std::make_unique<Guitar>();
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<QtPrinter> printer = std::make_unique<QtPrinter>();
    std::unique_ptr<Dialogs> dialogs;
    QtPictureIO pictures;
    std::unique_ptr<DeferredSound> sound;
    std::unique_ptr<DeferredHearing> hearing;
    std::unique_ptr<QtScreen> screen;
    std::unique_ptr<QtInstanceLock> lock;
};

Application::Application(const LaunchOptions& options)
    : options_(options), parts_(std::make_unique<Parts>()) {
    Parts& p = *parts_;
    p.window = std::make_unique<MainWindow>(*p.guitar, &p.soundClock);
    if (options.headless) {
        p.dialogs = std::make_unique<HeadlessDialogs>();
    } else {
        auto dialogs = std::make_unique<QtDialogs>(p.window.get(), p.printer.get());
        // Below the control, at the window's zoom.
        dialogs->setPlaceOnScreen([w = p.window.get()](const Placement& at) {
            const Zoom zoom = w->binder().zoom();
            return w->mapToGlobal(
                QPoint(zoom.pixelsOfTwips(at.left), zoom.pixelsOfTwips(at.top + at.height)));
        });
        p.dialogs = std::move(dialogs);
    }
    p.sound = std::make_unique<DeferredSound>(soundModuleOpener(options), &p.soundClock, std::cerr);
    p.hearing = std::make_unique<DeferredHearing>(hearingModuleOpener(options), std::cerr);
    p.screen = std::make_unique<QtScreen>(p.window.get(), [w = p.window.get()] { w->sync(); });
    p.lock = options.lockPath.isEmpty() ? std::make_unique<QtInstanceLock>()
                                        : std::make_unique<QtInstanceLock>(options.lockPath);

    Services& sys = p.guitar->sys;
    sys.dialogs = p.dialogs.get();
    sys.midi = p.sound.get();
    sys.wave = p.sound.get();
    sys.input = p.hearing.get();
    sys.clock = &p.soundClock;
    sys.pictures = &p.pictures;
    sys.screen = p.screen.get();
    sys.printer = p.printer.get();
}

Application::~Application() {
    // The window goes first: its timers call into the state and the services.
    parts_->window.reset();
}

bool Application::start() {
    Parts& p = *parts_;
    StartupOptions startupOptions;
    startupOptions.appFolder = absolute(options_.appFolder);
    startupOptions.folderArg = absolute(options_.folderArg);
    startupOptions.userConfig = userConfigPath();
    p.guitar->practice.recordPath = practiceRecordPath();
    // A configured zoom is taken only as far as the window fits the screen.
    const QSize area = p.window->screenArea();
    p.guitar->ui.form.screenWidth = area.width();
    p.guitar->ui.form.screenHeight = area.height();
    p.guitar->app.documentsFolder = withTrailingSlash(documentsFolder());
    HeldMessages held(*p.dialogs);
    Services& sys = p.guitar->sys;
    sys.dialogs = &held;
    const bool started = startup(*p.guitar, startupOptions, *p.lock);
    sys.dialogs = p.dialogs.get();
    if (!started) {
        held.release();
        return false;
    }
    p.window->sync();
    const auto& form = p.guitar->ui.form;
    p.window->move(toPixels(form.at.left), toPixels(form.at.top));
    // The window itself holds the focus at first: given to the page scroll bar (the first
    // control that takes it) it would act as a click on the scroll panel and pause.
    p.window->setFocusPolicy(Qt::ClickFocus);
    p.window->setFocus(Qt::OtherFocusReason);
    p.window->show();
    p.window->sync();
    // Nothing of the sound is shown: its libraries load while the user looks at the window.
    p.window->afterFirstPaint([sound = p.sound.get()] { sound->load(); });
    if (held.holding()) p.window->binder().run([&held] { held.release(); });
    return true;
}

MainWindow& Application::window() {
    return *parts_->window;
}
Guitar& Application::guitar() {
    return *parts_->guitar;
}
LiveSound* Application::sound() {
    return parts_->sound->live();
}

namespace {

// "ROOT:TYPE" read as a menu item and a strip cell (cellOf gives 0 for a type it does not know);
// nothing when either is unknown.
std::optional<std::pair<int, int>> rootAndCell(const QString& rootAndType,
                                               int (*cellOf)(std::string_view)) {
    const int colon = static_cast<int>(rootAndType.indexOf(':'));
    if (colon < 0) return std::nullopt;
    const int root = menuRootIndex(rootAndType.left(colon).toStdString());
    const int cell = cellOf(rootAndType.mid(colon + 1).toStdString());
    if (root < 0 || cell == 0) return std::nullopt;
    return std::pair(root, cell);
}

// The menu item, then a press in the middle of the type's cell on the strip.
template <typename MenuClick>
bool openLibrary(MainWindow& window, const QString& rootAndType, int (*cellOf)(std::string_view),
                 MenuClick menuClick, int cellTwips) {
    const auto chosen = rootAndCell(rootAndType, cellOf);
    if (!chosen) return false;
    Guitar& g = window.binder().g;
    window.binder().run([&g, chosen, menuClick, cellTwips] {
        menuClick(g, chosen->first);
        pagepic_MouseDown(g, kMouseLeft, 0, chosen->second * cellTwips + cellTwips / 2, 0);
    });
    return true;
}

}  // namespace

bool openChordLibrary(MainWindow& window, const QString& rootAndType) {
    return openLibrary(window, rootAndType, chordTypeCell, mnuchord_Click, kChordCellTwips);
}

bool openScaleLibrary(MainWindow& window, const QString& rootAndType) {
    return openLibrary(window, rootAndType, scaleTypeCell, mnuscale_Click, kScaleCellTwips);
}

bool exportSongPdf(Application& app, const QString& song, const QString& path,
                   const QString& paper) {
    Guitar& g = app.guitar();
    int sheets = 0;
    app.window().binder().run([&] {
        g.song.songFile.clear();
        loadsong(g, song.toStdString());
        if (g.song.songFile.empty()) {
            std::fprintf(stderr, "lutavo: cannot load %s\n", qPrintable(song));
            return;
        }
        std::optional<PaperSize> size;
        if (!paper.isEmpty()) size = paper == "letter" ? kLetter : kA4;
        sheets = exportPdf(g, path.toStdString(), size);
    });
    const bool ok = sheets > 0;
    if (ok) {
        std::printf("Wrote %s (%d sheet%s)\n", qPrintable(path), sheets, sheets == 1 ? "" : "s");
    }
    return ok;
}

bool saveScreenshot(MainWindow& window, const QString& path) {
    // Let pending paints, layout and the first timer-free events run before the grab.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    window.sync();
    QCoreApplication::processEvents();
    return window.grab().save(path, "PNG");
}

}  // namespace lutavo
