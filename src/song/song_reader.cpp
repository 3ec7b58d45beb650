// SPDX-License-Identifier: GPL-3.0-or-later
#include "song/song_reader.h"

#include <array>
#include <filesystem>

#include <optional>

#include "base/safe_file.h"
#include "song/fret_codes.h"

namespace lutavo {

namespace {

constexpr int kOldFormatDoubledBelow = 50;
constexpr int kLowestFileFret = kMuted;
constexpr int kHighestFileFret = kHeldBase;  // 24: a held open string

std::string refusal(const std::string& fileName, const std::string& why) {
    return "The song " + fileName + " cannot be loaded: " + why;
}

std::string atLine(int line) {
    return "line " + std::to_string(line) + " ";
}

// The duration or code of a note line, or nullopt when the song model has no such note.
std::optional<i16> noteCode(i16 raw, bool currentFormat) {
    if (raw < 1 || raw > kEndOfPage) return std::nullopt;
    if (currentFormat || raw >= kOldFormatDoubledBelow) return raw;
    const int doubled = raw * 2;
    // Doubling must not turn a note into a control code.
    if (doubled >= kFirstControlCode) return std::nullopt;
    return static_cast<i16>(doubled);
}

bool fretFieldPlayable(i16 field, i16 capo) {
    if (field < kLowestFileFret || field > kHighestFileFret) return false;
    if (field >= 0 && field <= kHighestFret) return field + capo <= kHighestFret;
    return true;
}

class NoteSectionReader {
  public:
    NoteSectionReader(ParsedSong& song, const std::string& fileName)
        : song_(song), fileName_(fileName) {}

    // Adds one note line; returns the refusal message when the line cannot be used.
    std::optional<std::string> add(const std::string& text, int line) {
        if (song_.notes.size() >= static_cast<std::size_t>(kMaxNotes)) {
            return refusal(fileName_, "it has more than " + std::to_string(kMaxNotes) + " notes.");
        }
        const NoteLineFields fields = splitNoteLine(text);
        const std::optional<i16> code = noteCode(fields.code, song_.currentFormat);
        if (!code) {
            return refusal(fileName_, atLine(line) + "holds the note length " +
                                          std::to_string(fields.code) +
                                          ", which Lutavo does not know.");
        }
        ParsedNote note;
        note.dur = *code;
        note.x = fields.x.value_or(static_cast<i16>(kUnplacedX));
        if (*code == kEndOfPage) {
            if (++endsOfPage_ > kMaxPages - 1) {
                return refusal(fileName_,
                               "it has more than " + std::to_string(kMaxPages) + " pages.");
            }
            note.frets.fill(kSilent);
            holds_.silenceAll();
            song_.notes.push_back(note);
            return std::nullopt;
        }
        // A code line without fret fields (after the line marker's parameter) is silent.
        const bool silentCode =
            isMarker(*code) && fields.fieldCount < (*code == kLineMarker ? 2 : 1);
        for (int s = 1; s <= kStrings; ++s) {
            const i16 field = silentCode && (s > 1 || *code != kLineMarker)
                                  ? static_cast<i16>(kSilent)
                                  : fields.frets[s - 1];
            if (s == 1 && *code == kLineMarker) {
                // The line marker's parameter is a position, not a fret: no hold resolution.
                note.frets[0] = field > kSilent ? static_cast<i16>(field + song_.capo) : field;
                continue;
            }
            if (!fretFieldPlayable(field, song_.capo)) {
                return refusal(fileName_, atLine(line) + "holds the fret " + std::to_string(field) +
                                              " on string " + std::to_string(kStrings + 1 - s) +
                                              capoNote() + ", which cannot be played.");
            }
            note.frets[s - 1] = holds_.resolve(s, field, song_.capo);
        }
        song_.notes.push_back(note);
        return std::nullopt;
    }

  private:
    std::string capoNote() const {
        return song_.capo > 0 ? " (with the capo at fret " + std::to_string(song_.capo) + ")" : "";
    }

    ParsedSong& song_;
    const std::string& fileName_;
    HeldNoteResolver holds_;
    int endsOfPage_ = 0;
};

}  // namespace

i16 headerNumber(const std::string& value, int lo, int hi) {
    return static_cast<i16>(clampTo(numberPrefix(value), lo, hi));
}

// The title and the two texts beside it are shown on one line each: a text longer than any
// real one is cut, and the user told.
void cutLongText(ParsedSong& song, HeaderEntry& entry) {
    constexpr std::array<std::pair<const char*, const char*>, 3> kTexts = {
        {{"title=", "title"},
         {"right=", "text at the top right"},
         {"left=", "text at the top left"}}};
    if (entry.value.size() <= songlimits::kTextLengthHi) return;
    for (const auto& [key, what] : kTexts) {
        if (entry.key != key) continue;
        entry.value.resize(songlimits::kTextLengthHi);
        song.notices.push_back(std::string("The ") + what + " was longer than " +
                               std::to_string(songlimits::kTextLengthHi) +
                               " characters and has been cut.");
    }
}

std::variant<ParsedSong, ReadFailure> readSongText(ItemReader& reader,
                                                   const std::string& fileName) {
    ParsedSong song;
    const std::optional<std::string> first = reader.next();
    if (!first || first->find("lutavo") == std::string::npos) {
        // The name on a line of its own, so that the message's first line stays as it was.
        return ReadFailure{"Invalid format\n" + fileName};
    }
    song.currentFormat = first->find('3') != std::string::npos;

    while (std::optional<std::string> item = reader.next()) {
        if (item->empty()) break;
        const std::size_t eq = item->find('=');
        if (eq == std::string::npos) continue;
        song.header.push_back({item->substr(0, eq + 1), item->substr(eq + 1)});
        cutLongText(song, song.header.back());
        if (song.header.back().key == "capo=") {
            song.capo =
                headerNumber(song.header.back().value, songlimits::kCapoLo, songlimits::kCapoHi);
        }
    }

    NoteSectionReader notes(song, fileName);
    while (std::optional<std::string> item = reader.next()) {
        if (item->empty()) continue;
        if (auto failure = notes.add(*item, reader.line())) return ReadFailure{*failure};
    }
    return song;
}

std::variant<ParsedSong, ReadFailure> readSongFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::file_size(path, error) > songlimits::kFileBytesHi && !error) {
        return ReadFailure{"The file " + path + " is too large to be a song; it was not read."};
    }
    std::optional<ItemReader> reader;
    if (std::filesystem::is_regular_file(path, error)) reader = ItemReader::open(path);
    if (!reader) return ReadFailure{notOpenedMessage("song", path)};
    return readSongText(*reader, path);
}

}  // namespace lutavo
