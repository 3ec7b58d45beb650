// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_file.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "base/item_reader.h"
#include "base/safe_file.h"
#include "config/zoom_levels.h"
#include "core/data_files.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "platform/audio_input.h"

namespace lutavo {

namespace {

constexpr const char* kMagic = "lutavo";
constexpr const char* kLineEnd = "\r\n";

constexpr const char* kKeyPrefMidi = "prefmidi=";
constexpr const char* kKeyPlayWav = "playwav=";
constexpr const char* kKeyShowNotes = "shownotes=";
constexpr const char* kKeyPlayDelay = "playdelay=";
constexpr const char* kKeyAdjTiming = "adjtiming=";
constexpr const char* kKeyLefty = "lefty=";
constexpr const char* kKeyZoom = "zoom=";
constexpr const char* kKeyInput = "input=";
constexpr const char* kKeyInputLatency = "inputlatency=";

// What the program can use of a number read from the file; anything beyond is brought back
// into range so no value indexes a table outside its bounds.
struct Range {
    int lo;
    int hi;
};

constexpr Range kSoundIndexRange = {0, kSoundCount - 1};
constexpr Range kLeadInRange = {0, 8};  // the nine slots of the lead-in scale
constexpr Range kTimingRange = {1, 32767};
constexpr Range kInputLatencyRange = {-500, 1000};

struct SoundKey {
    const char* key;
    Range range;
    SoundTable ConfigState::*table;
};

// In the order a section is written.
constexpr std::array<SoundKey, 5> kSoundKeys = {{
    {"octave=", {0, 6}, &ConfigState::soundOctave},
    {"channel=", {1, 16}, &ConfigState::soundChannel},
    {"patch=", {0, 127}, &ConfigState::soundPatch},
    {"dev=", {0, 32767}, &ConfigState::soundDevice},
    {"volume=", {1, 10}, &ConfigState::soundVolume},
}};

constexpr std::size_t kSectionDigit = 6;  // "[sound2]": the digit is the 7th character
constexpr int kOutbtnFirstSound = 2;      // sound buttons are outbtn 2..5
constexpr int kLeadInSlots = 9;

// Values brought into range while reading, in the file's words, so the user learns why the
// program does not do what the file says.
using Corrections = std::vector<std::string>;

i16 numberIn(const std::string& key, const std::string& text, Range range, Corrections& notes) {
    const int read = numberPrefix(text);
    const int used = clampTo(read, range.lo, range.hi);
    if (used != read) {
        notes.push_back(key + std::to_string(read) + " is read as " + std::to_string(used));
    }
    return static_cast<i16>(used);
}

// A sound server names its inputs with visible characters; anything else (a comma or a quote,
// which the file's items stop at, a control character) is no input's name.
bool inputName(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return c > ' ' && c < 0x7F && c != ',' && c != '"'; });
}

i16 zoomIn(const std::string& key, const std::string& text, Corrections& notes) {
    const int read = numberPrefix(text);
    const int used = nearestZoomLevel(read);
    if (used != read) {
        notes.push_back(key + std::to_string(read) + " is read as " + std::to_string(used));
    }
    return static_cast<i16>(used);
}

// The section the per-sound keys go to; nullopt after a header naming no sound, whose keys
// are skipped up to the next valid header.
using Section = std::optional<int>;

Section sectionOf(const std::string& header) {
    const std::string digit = header.size() > kSectionDigit ? header.substr(kSectionDigit, 1) : "";
    const int index = numberPrefix(digit);
    if (index < kSoundIndexRange.lo || index > kSoundIndexRange.hi) return std::nullopt;
    return index;
}

void applySoundKey(ConfigState& c, int sound, const std::string& key, const std::string& text,
                   Corrections& notes) {
    for (const SoundKey& k : kSoundKeys) {
        if (key == k.key) {
            Corrections found;
            (c.*k.table)[sound] = numberIn(key, text, k.range, found);
            for (const std::string& note : found)
                notes.push_back(note + " for sound " + std::to_string(sound));
            return;
        }
    }
}

void applyKey(ConfigState& c, int sound, const std::string& key, const std::string& text,
              Corrections& notes) {
    if (key == kKeyPrefMidi) {
        c.preferredSound = numberIn(key, text, kSoundIndexRange, notes);
        c.prefSoundRead = c.preferredSound;
    } else if (key == kKeyPlayDelay) {
        c.defaultLeadIn = numberIn(key, text, kLeadInRange, notes);
    } else if (key == kKeyAdjTiming) {
        c.adjustTiming = numberIn(key, text, kTimingRange, notes);
    } else if (key == kKeyPlayWav) {
        c.playIntroClips = text == "1" ? 1 : 0;
    } else if (key == kKeyLefty) {
        c.leftHanded = text == "1" ? 1 : 0;
    } else if (key == kKeyShowNotes) {
        c.showFretNoteNames = text == "0" ? 0 : 1;
    } else if (key == kKeyZoom) {
        c.zoomPercent = zoomIn(key, text, notes);
    } else if (key == kKeyInput) {
        c.inputDevice = inputName(text) ? text : "";
        if (!inputName(text)) notes.push_back("input= does not name an input: the default is used");
    } else if (key == kKeyInputLatency) {
        c.inputLatencyMs = numberIn(key, text, kInputLatencyRange, notes);
    } else {
        applySoundKey(c, sound, key, text, notes);
    }
}

Corrections readItems(ConfigState& c, ItemReader& reader) {
    // A file without these keys was written at the designed size, for the default input.
    c.zoomPercent = 100;
    c.inputDevice.clear();
    c.inputLatencyMs = 0;
    Corrections notes;
    Section section = 0;
    while (auto item = reader.next()) {
        if (!item->empty() && item->front() == '[') {
            section = sectionOf(*item);
            continue;
        }
        const std::size_t eq = item->find('=');
        if (eq == std::string::npos || !section) continue;
        applyKey(c, *section, item->substr(0, eq + 1), item->substr(eq + 1), notes);
    }
    return notes;
}

void reportCorrections(Guitar& g, const std::string& path, const Corrections& notes) {
    if (notes.empty()) return;
    std::string text = "Some settings in " + path +
                       " are outside what the program can use and were brought into range:";
    for (const std::string& note : notes)
        text += "\n" + note;
    showMessage(g, text + "\nSave in the setup window to keep the corrected values.");
}

// What the values read show on the main window.
void showConfiguredSound(Guitar& g) {
    const int sound = clampTo(g.config.preferredSound, kSoundIndexRange.lo, kSoundIndexRange.hi);
    g.ui.voltxt.caption = std::to_string(g.config.soundVolume[sound]);
    showSoundInUse(g.config, g.ui);
    g.playback.swapperPos = static_cast<i16>(kLeadInSlots - g.config.defaultLeadIn);
}

WriteResult writeReplacing(const std::string& path, const std::string& text) {
    std::error_code ec;
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    return writeFileSafely(path, text);
}

}  // namespace

void showSoundInUse(ConfigState& config, WindowControls& ui) {
    const int sound = clampTo(config.preferredSound, kSoundIndexRange.lo, kSoundIndexRange.hi);
    // The sound buttons share one place: only the one of the sound in use may show.
    for (int i = 0; i < kSoundCount; ++i)
        ui.outbtn[kOutbtnFirstSound + i].visible = i == sound;
    auto& items = ui.mnuSound.items;
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i].checked = static_cast<int>(i) == sound;
}

std::string userConfigPath() {
    const std::string file = std::string("/lutavo/") + files::kConfig;
    // A relative XDG_CONFIG_HOME is not to be used.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg + file;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return home + std::string("/.config") + file;
    return "";
}

std::string configReadPath(const std::string& userConfig, const std::string& appFolder) {
    if (!userConfig.empty() && fileExists(userConfig)) return userConfig;
    return appFolder + files::kConfig;
}

ConfigFileRead readConfigFile(const std::string& path, ConfigState& c) {
    auto reader = fileExists(path) ? ItemReader::open(path) : std::nullopt;
    if (!reader) return {ConfigFileState::Missing, {}};
    if (reader->next().value_or("") != kMagic) return {ConfigFileState::Invalid, {}};
    return {ConfigFileState::Read, readItems(c, *reader)};
}

void readconfig(Guitar& g) {
    // Something that is no file where the user's settings belong is said once; the program's own
    // settings are read instead.
    const std::string& user = g.app.configFile;
    std::error_code ec;
    if (!user.empty() && !fileExists(user) &&
        std::filesystem::symlink_status(user, ec).type() != std::filesystem::file_type::not_found)
        reportMissingOnce(g, user);
    const std::string path = configReadPath(g.app.configFile, g.app.appFolder);
    const ConfigFileRead read = readConfigFile(path, g.config);
    if (read.state == ConfigFileState::Missing) {
        reportMissingOnce(g, path);
    } else if (read.state == ConfigFileState::Invalid) {
        showMessage(g, "Invalid file\n" + path);
    } else {
        reportCorrections(g, path, read.corrections);
    }
    showConfiguredSound(g);
    if (g.sys.input != nullptr) g.sys.input->chooseInput(g.config.inputDevice);
}

std::string configText(const ConfigState& c) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + kLineEnd; };
    auto entry = [&line](const char* key, int value) { line(key + std::to_string(value)); };
    line(kMagic);
    entry(kKeyPrefMidi, c.preferredSound);
    entry(kKeyPlayWav, c.playIntroClips);
    entry(kKeyShowNotes, c.showFretNoteNames);
    entry(kKeyPlayDelay, c.defaultLeadIn);
    entry(kKeyAdjTiming, c.adjustTiming);
    entry(kKeyLefty, c.leftHanded);
    if (c.zoomPercent != 100) entry(kKeyZoom, c.zoomPercent);
    if (!c.inputDevice.empty() && inputName(c.inputDevice)) line(kKeyInput + c.inputDevice);
    if (c.inputLatencyMs != 0) entry(kKeyInputLatency, c.inputLatencyMs);
    for (int sound = 0; sound < kSoundCount; ++sound) {
        line("[sound" + std::to_string(sound) + "]");
        for (const SoundKey& k : kSoundKeys)
            entry(k.key, (c.*k.table)[sound]);
    }
    return out;
}

bool writeconfig(Guitar& g) {
    const std::string& path = g.app.configFile;
    if (path.empty()) {
        showMessage(g,
                    "The settings could not be saved: there is no folder for them (HOME is "
                    "not set).");
        return false;
    }
    if (const WriteResult written = writeReplacing(path, configText(g.config)); !written) {
        showMessage(g, "The settings could not be saved to " + path + ": " + written.problem + ".");
        return false;
    }
    return true;
}

bool saveZoomSetting(Guitar& g) {
    // The file's own values, not the ones this session may have changed without Save.
    ConfigState stored;
    readConfigFile(configReadPath(g.app.configFile, g.app.appFolder), stored);
    stored.zoomPercent = g.config.zoomPercent;
    if (g.app.configFile.empty() || !writeReplacing(g.app.configFile, configText(stored))) {
        showMessage(g, "The zoom could not be kept for the next start: the settings file " +
                           g.app.configFile + " could not be written.");
        return false;
    }
    return true;
}

}  // namespace lutavo
