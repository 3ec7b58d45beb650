// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/song_fields.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "base/safe_file.h"
#include "song/song_edit.h"
#include "song/song_model.h"

namespace lutavo {

namespace {

namespace lim = songlimits;

constexpr int kDrawnPageHeight = 3000;
constexpr int kPageHeightMargin = 10;

i16 keyOf(const std::string& v) {
    const int key = numberPrefix(v);
    // Above the last index an even key still means seven flats and an odd one seven sharps,
    // so the key keeps its side of the circle.
    const int kept = key > lim::kKeyHi ? lim::kKeyHi - 1 + key % 2 : key;
    return static_cast<i16>(clampTo(kept, lim::kKeyLo, lim::kKeyHi));
}

// Six two-character fields, lowest string first.
void setTuning(SongModel& s, const std::string& v) {
    for (int str = 1; str <= kStrings; ++str) {
        const std::size_t start = static_cast<std::size_t>(2 * (str - 1));
        const std::string_view fieldText =
            start < v.size() ? std::string_view(v).substr(start, 2) : std::string_view();
        s.altTuning[str] = static_cast<i16>(
            clampTo(numberPrefix(fieldText), lim::kAltTuningLo, lim::kAltTuningHi));
    }
}

// A drawn page is a line of notation over tablature; a page picture locks the song.
void setPageKind(SongModel& s, const std::string& v) {
    s.pagePicture = upperCase(v);
    if (s.pagePicture == kInternalPages) {
        s.pageHeight = kDrawnPageHeight;
    } else {
        s.songLocked = true;
    }
}

void setMetroTicks(SongModel& s, const std::string& v, bool currentFormat) {
    int ticks = numberPrefix(v);
    if (!currentFormat) ticks *= 2;
    songedit::setMetroTicks(s, clampTo(ticks, lim::kMetroTicksLo, lim::kMetroTicksHi));
}

}  // namespace

std::string upperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool namesFileElsewhere(const HeaderEntry& entry) {
    constexpr std::array<std::string_view, 4> kFileKeys = {
        "page=", "tick=", "lessonpic=", "playwav="};
    return std::find(kFileKeys.begin(), kFileKeys.end(), entry.key) != kFileKeys.end() &&
           !isPlainFileName(entry.value);
}

void applySongField(SongModel& s, const HeaderEntry& entry, bool currentFormat) {
    const std::string& key = entry.key;
    const std::string& v = entry.value;
    if (key == "title=") {
        s.songTitle = v;
    } else if (key == "left=") {
        s.songInfo = v;
    } else if (key == "right=") {
        s.songComposer = v;
    } else if (key == "key=") {
        s.songKey = keyOf(v);
    } else if (key == "size=") {
        const int height = numberPrefix(v) + kPageHeightMargin;
        s.pageHeight = static_cast<i16>(clampTo(height, lim::kPageHeightLo, lim::kPageHeightHi));
    } else if (key == "page=") {
        setPageKind(s, v);
    } else if (key == "locked=") {
        s.songLocked = true;
    } else if (key == "alt=") {
        setTuning(s, v);
    } else if (key == "tick=") {
        s.tickSound = v;
    } else if (key == "metro=") {
        s.metroOn = v == "on" ? 1 : 0;
    } else if (key == "timesig=") {
        s.timeSig = headerNumber(v, lim::kTimeSigLo, lim::kTimeSigHi);
    } else if (key == "tempo=") {
        s.tempo = headerNumber(v, lim::kTempoLo, lim::kTempoHi);
    } else if (key == "alttempo=") {
        s.altTempo = numberPrefix(v);
    } else if (key == "metroticks=") {
        setMetroTicks(s, v, currentFormat);
    } else if (key == "capo=") {
        s.capo = headerNumber(v, lim::kCapoLo, lim::kCapoHi);
    } else if (key == "lessonpic=") {
        s.lessonPicture = v;
    }
}

void resetSongFields(SongModel& s) {
    songedit::resetForLoad(s);
    s.capo = 0;
    s.timeSig = 0;
    s.altTempo = 0;
    songedit::setMetroTicks(s, 16);
    s.songLocked = false;
    s.songTitle.clear();
    s.songInfo.clear();
    s.songComposer.clear();
    s.songKey = 1;
}

int storeSongNotes(SongModel& s, const std::vector<ParsedNote>& notes) {
    songedit::setPageStart(s, 1, 1);
    int page = 1;
    int n = 0;
    for (const ParsedNote& note : notes) {
        ++n;
        songedit::storeNote(s, n, note.dur, note.frets, note.x);
        if (note.dur != kEndOfPage) continue;
        songedit::setPageStart(s, page + 1, n + 1);
        ++page;
    }
    songedit::endSongAt(s, n);
    songedit::setPageStart(s, page + 1, s.noteCount + 2);
    return page;
}

}  // namespace lutavo
