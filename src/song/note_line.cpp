// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/note_line.h"

#include <algorithm>
#include "base/controls.h"
#include "song/fret_codes.h"

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
        const std::string_view text = field(line, kFieldWidth * (s + 1));
        f.frets[s] = numberPrefix(text);
        if (!text.empty()) f.fieldCount = s + 1;
    }
    if (line.size() > kPositionColumn) {
        f.x = toInt16(numberPrefixValue(line.substr(kPositionColumn)) / kTwipsPerPixel);
    }
    return f;
}

std::string twoCharField(int value) {
    // Built in place: "0" + std::to_string(value) trips GCC's -Wrestrict at -O3.
    std::string field = std::to_string(value);
    if (value >= 0 && value <= 9) field.insert(field.begin(), '0');
    return field;
}

i16 fileFret(i16 stored, i16 capo) {
    if (stored < 0) return stored;
    // A held fret 0 below a capo is a hold too, not the struck fret 24 - capo.
    if (stored > kHeldBase || (stored == kHeldBase && capo > 0)) return kHoldInFile;
    return static_cast<i16>(std::max(stored - capo, 0));
}

i16 HeldNoteResolver::resolve(int slot, i16 fieldValue, i16 capo) {
    const auto i = static_cast<std::size_t>(slot - 1);
    i16 stored = fieldValue;
    if (fieldValue > kSilent) {
        stored = static_cast<i16>(fieldValue + capo);
        // A held open string (24) keeps holding the same fret when followed by holds.
        lastFret_[i] = static_cast<i16>(fretOf(stored));
    } else if (fieldValue == kHoldInFile) {
        stored = ringing_[i] ? static_cast<i16>(heldCode(lastFret_[i])) : kSilent;
    }
    ringing_[i] = stored != kSilent;
    return stored;
}

i16 NoteLineWriter::fieldFor(int slot, i16 stored, i16 capo) {
    i16 written = fileFret(stored, capo);
    // A held note whose string is not ringing that fret cannot be written as a hold; a held
    // capo fret (the open string) has its own field.
    HeldNoteResolver trial = holds_;
    if (trial.resolve(slot, written, capo) != stored && stored == heldCode(capo)) {
        written = kHeldBase;
    }
    holds_.resolve(slot, written, capo);
    return written;
}

std::string NoteLineWriter::line(const SongModel& song, int n) {
    const i16 code = song.noteDur[n];
    if (code == kEndOfPage) {
        holds_.silenceAll();
        return std::to_string(code);
    }
    std::string line = twoCharField(code);
    const int first = code == kLineMarker ? 2 : 1;
    // The reader adds the capo to a line marker's parameter of 0 and more, so it is written
    // without it; a negative parameter is written as it is.
    const int p = song.noteFret(n, 1);
    const int parameter = p > kSilent ? std::max(p - song.capo, 0) : p;
    bool silent = isMarker(code);
    for (int s = first; s <= kStrings; ++s)
        silent = silent && song.noteFret(n, s) == kSilent;
    if (silent) {
        // A code line without fret fields reads as silent strings.
        for (int s = first; s <= kStrings; ++s)
            holds_.resolve(s, kSilent, song.capo);
        return first == 2 ? line + std::to_string(parameter) : line;
    }
    if (first == 2) line += twoCharField(parameter);
    for (int s = first; s <= kStrings; ++s)
        line += twoCharField(fieldFor(s, song.noteFret(n, s), song.capo));
    return line;
}

}  // namespace lutavo
