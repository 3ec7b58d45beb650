#include "song/note_line.h"

#include <algorithm>
#include "base/controls.h"

namespace lutavo {

namespace {

constexpr std::size_t kFieldWidth = 2;
constexpr std::size_t kPositionColumn = 14;  // 0-based start of the x position

std::string_view field(std::string_view line, std::size_t start) {
    if (start >= line.size()) return {};
    return line.substr(start, kFieldWidth);
}

}  // namespace

NoteLineFields splitNoteLine(std::string_view line) {
    NoteLineFields f;
    f.code = numberPrefix(field(line, 0));
    for (int s = 0; s < kStrings; ++s) {
        f.frets[s] = numberPrefix(field(line, kFieldWidth * (s + 1)));
    }
    if (line.size() > kPositionColumn) {
        f.x = toInt16(numberPrefixValue(line.substr(kPositionColumn)) / kTwipsPerPixel);
    }
    return f;
}

std::string twoCharField(int value) {
    if (value >= 0 && value <= 9) return "0" + std::to_string(value);
    return std::to_string(value);
}

i16 fileFret(i16 stored, i16 capo) {
    if (stored < 0) return stored;
    if (stored > kHeldBase) return kHoldInFile;
    return static_cast<i16>(std::max(stored - capo, 0));
}

std::string formatNoteLine(const SongModel& song, int n) {
    const i16 code = song.noteDur[n];
    if (code >= kFirstControlCode) {
        std::string line = std::to_string(code);
        if (code == kLineMarker) {
            // The reader adds the capo to the parameter, so it is written without it.
            line += std::to_string(song.noteFret(n, 1) - song.capo);
        }
        return line;
    }
    std::string line = twoCharField(code);
    for (int s = 1; s <= kStrings; ++s)
        line += twoCharField(fileFret(song.noteFret(n, s), song.capo));
    return line;
}

i16 HeldNoteResolver::resolve(int slot, i16 fieldValue, i16 capo) {
    const auto i = static_cast<std::size_t>(slot - 1);
    i16 stored = fieldValue;
    if (fieldValue > kSilent) {
        stored = static_cast<i16>(fieldValue + capo);
        // A held open string (24) keeps holding the same fret when followed by holds.
        lastFret_[i] = stored >= kHeldBase ? static_cast<i16>(stored - kHeldBase) : stored;
    } else if (fieldValue == kHoldInFile) {
        stored = ringing_[i] ? static_cast<i16>(lastFret_[i] + kHeldBase) : kSilent;
    }
    ringing_[i] = stored != kSilent;
    return stored;
}

}  // namespace lutavo
