#include "app/song_header.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "app/panels.h"
#include "base/safe_file.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/picture_files.h"
#include "platform/midi_out.h"
#include "playback/sound.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

namespace lim = songlimits;

constexpr const char* kInternalPages = "INTERNAL";
constexpr int kDrawnPageHeight = 3000;
constexpr int kPageHeightMargin = 10;

void setTitleLabelsVisible(Guitar& g, bool visible) {
    g.ui.lbltitle.visible = visible;
    g.ui.lblleft.visible = visible;
    g.ui.lblright.visible = visible;
}

void applyTitle(Guitar& g, const std::string& v, LoadContext&) {
    g.song.songTitle = v;
    g.ui.form.caption = std::string(kProgramTitle) + " - " + v;
}
void applyLeft(Guitar& g, const std::string& v, LoadContext&) {
    g.song.songInfo = v;
}
void applyRight(Guitar& g, const std::string& v, LoadContext&) {
    g.song.songComposer = v;
}

void applyKey(Guitar& g, const std::string& v, LoadContext&) {
    const int key = numberPrefix(v);
    // Above the last index an even key still means seven flats and an odd one seven sharps,
    // so the key keeps its side of the circle.
    const int kept = key > lim::kKeyHi ? lim::kKeyHi - 1 + key % 2 : key;
    g.song.songKey = static_cast<i16>(clampTo(kept, lim::kKeyLo, lim::kKeyHi));
}

void applySize(Guitar& g, const std::string& v, LoadContext&) {
    const int height = numberPrefix(v) + kPageHeightMargin;
    g.song.pageHeight = static_cast<i16>(clampTo(height, lim::kPageHeightLo, lim::kPageHeightHi));
}

void applyFrames(Guitar& g, const std::string& v, LoadContext&) {
    const i16 frames = headerNumber(v, lim::kFramesLo, lim::kFramesHi);
    g.ui.pgScroll.max = frames;
    if (hasPicturePages(g)) g.display.pagewindowCells = CellGrid{1, frames};
}

void loadPageStore(Guitar& g, const std::string& name) {
    loadPictureFile(g, g.song.songFolder + name, g.display.pagewindow);
}

void applyPage(Guitar& g, const std::string& v, LoadContext&) {
    const bool chordLibrary = isLibraryMode(g.app.appMode);
    g.song.pagePicture = upperCase(v);
    if (!chordLibrary) {
        g.display.pagewindow = Picture();
        g.display.pagewindowCells = CellGrid{};
    }
    if (g.song.pagePicture == kInternalPages) {
        if (!chordLibrary) g.ui.pagepic.visible = false;
        g.song.pageHeight = kDrawnPageHeight;
        layoutPanels(g, g.song.pageHeight);
        setTitleLabelsVisible(g, true);
        g.ui.pnlscore.visible = true;
        return;
    }
    g.ui.pnlscore.visible = false;
    loadPageStore(g, v);
    setTitleLabelsVisible(g, false);
    g.ui.pagepic.visible = true;
    g.song.songLocked = true;
}

void applyPointer(Guitar& g, const std::string&, LoadContext&) {
    g.ui.pointer.visible = true;
}
void applyVpointer(Guitar& g, const std::string&, LoadContext&) {
    g.ui.vpointer.visible = true;
}
void applyLocked(Guitar& g, const std::string&, LoadContext&) {
    g.song.songLocked = true;
}

// Six two-character fields, lowest string first.
void applyAlt(Guitar& g, const std::string& v, LoadContext&) {
    for (int s = 1; s <= kStrings; ++s) {
        const std::size_t start = static_cast<std::size_t>(2 * (s - 1));
        const std::string_view fieldText =
            start < v.size() ? std::string_view(v).substr(start, 2) : std::string_view();
        g.song.altTuning[s] = static_cast<i16>(
            clampTo(numberPrefix(fieldText), lim::kAltTuningLo, lim::kAltTuningHi));
    }
}

void applyTick(Guitar& g, const std::string& v, LoadContext&) {
    g.song.tickSound = v;
}

void applyMetro(Guitar& g, const std::string& v, LoadContext&) {
    const bool on = v == "on";
    g.song.metroOn = on ? 1 : 0;
    g.ui.outtxt[kMetroLabel].color = on ? kColorActive : kColorAvailable;
}

void applyDelay(Guitar& g, const std::string& v, LoadContext&) {
    if (g.config.defaultLeadIn > 0) {
        g.config.defaultLeadIn = headerNumber(v, lim::kLeadInLo, lim::kLeadInHi);
    }
}

void applyTimeSig(Guitar& g, const std::string& v, LoadContext&) {
    g.song.timeSig = headerNumber(v, lim::kTimeSigLo, lim::kTimeSigHi);
}

void applyTempo(Guitar& g, const std::string& v, LoadContext&) {
    g.song.tempo = headerNumber(v, lim::kTempoLo, lim::kTempoHi);
}

void applyAltTempo(Guitar& g, const std::string& v, LoadContext&) {
    g.song.altTempo = numberPrefix(v);
}

void applyMetroTicks(Guitar& g, const std::string& v, LoadContext& context) {
    int ticks = numberPrefix(v);
    if (!context.currentFormat) ticks *= 2;
    songedit::setMetroTicks(g.song, clampTo(ticks, lim::kMetroTicksLo, lim::kMetroTicksHi));
}

void applyCapo(Guitar& g, const std::string& v, LoadContext&) {
    g.song.capo = headerNumber(v, lim::kCapoLo, lim::kCapoHi);
}

void applyStyle(Guitar& g, const std::string& v, LoadContext&) {
    selectSound(g, headerNumber(v, lim::kSoundLo, lim::kSoundHi));
}

void applyLessonPic(Guitar& g, const std::string& v, LoadContext&) {
    g.song.lessonPicture = v;
    // The default lesson picture is the program's own; a song's own picture sits with the songs.
    const std::string own = g.app.appFolder + v;
    g.ui.NewLessonPic.file = g.app.dataFolder + v;
    if (!fileExists(g.ui.NewLessonPic.file) && fileExists(own)) g.ui.NewLessonPic.file = own;
    g.ui.NewLessonPic.visible = true;
    if (!fileExists(g.ui.NewLessonPic.file)) reportMissingOnce(g, g.ui.NewLessonPic.file);
}

void applyPlayWav(Guitar& g, const std::string& v, LoadContext& context) {
    if (g.config.playIntroClips == 1) context.clip = g.song.songFolder + v;
}

using HeaderEffect = void (*)(Guitar&, const std::string&, LoadContext&);

struct HeaderKey {
    std::string_view key;
    HeaderEffect apply;
};

constexpr std::array<HeaderKey, 22> kHeaderKeys = {{
    {"title=", applyTitle},     {"left=", applyLeft},         {"right=", applyRight},
    {"key=", applyKey},         {"size=", applySize},         {"frames=", applyFrames},
    {"page=", applyPage},       {"pointer=", applyPointer},   {"vpointer=", applyVpointer},
    {"locked=", applyLocked},   {"alt=", applyAlt},           {"tick=", applyTick},
    {"metro=", applyMetro},     {"delay=", applyDelay},       {"timesig=", applyTimeSig},
    {"tempo=", applyTempo},     {"alttempo=", applyAltTempo}, {"metroticks=", applyMetroTicks},
    {"capo=", applyCapo},       {"style=", applyStyle},       {"lessonpic=", applyLessonPic},
    {"playwav=", applyPlayWav},
}};

}  // namespace

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool hasPicturePages(const Guitar& g) {
    return !g.song.pagePicture.empty() && g.song.pagePicture != kInternalPages;
}

// Keys that name a file beside the song or in the data folder: a name with a folder in it
// could reach any file of the machine, and is not followed.
bool namesFileElsewhere(const HeaderEntry& entry) {
    constexpr std::array<std::string_view, 4> kFileKeys = {
        "page=", "tick=", "lessonpic=", "playwav="};
    return std::find(kFileKeys.begin(), kFileKeys.end(), entry.key) != kFileKeys.end() &&
           !isPlainFileName(entry.value);
}

std::string namedElsewhereMessage(const std::string& whose, const std::string& key,
                                  const std::string& value, const std::string& folder) {
    const std::string named = "The " + whose + " \"" + key + "\" names ";
    if (value.empty()) return named + "no file.";
    return named + "a file outside " + folder + " (" + value + "); it was not read.";
}

void applyHeader(Guitar& g, const std::vector<HeaderEntry>& header, LoadContext& context) {
    for (const HeaderEntry& entry : header) {
        if (namesFileElsewhere(entry)) {
            showMessage(g, namedElsewhereMessage("song's", entry.key, entry.value, "its folder"));
            continue;
        }
        for (const HeaderKey& known : kHeaderKeys) {
            if (entry.key == known.key) known.apply(g, entry.value, context);
        }
    }
}

}  // namespace lutavo
