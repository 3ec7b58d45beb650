// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a song file into a ParsedSong, checked whole before the song model is touched: a file
// that cannot be used is refused with a message and the song in memory stays as it was.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "base/item_reader.h"
#include "song/note_line.h"

namespace lutavo {

// Ranges that values read from a file are brought into, so that no file value can reach past
// the end of a table. The capo goes up to the 12th fret: together with the file's frets (at
// most 23 above the capo for a struck note, which the reader checks) every struck fret stays on
// the neck's 0..23.
namespace songlimits {
inline constexpr int kTempoLo = 1, kTempoHi = 30;
inline constexpr int kTimeSigLo = 0, kTimeSigHi = 5;
inline constexpr int kKeyLo = 0, kKeyHi = 15;
inline constexpr int kCapoLo = 0, kCapoHi = 12;
inline constexpr int kMetroTicksLo = 1, kMetroTicksHi = 89;
inline constexpr int kAltTuningLo = -6, kAltTuningHi = 6;  // the tuner's own range
inline constexpr int kSoundLo = 0, kSoundHi = 3;
inline constexpr int kLeadInLo = 0, kLeadInHi = 8;
inline constexpr int kFramesLo = 1, kFramesHi = kMaxPages;
inline constexpr int kPageHeightLo = 1000, kPageHeightHi = 12000;  // twips
inline constexpr std::size_t kTextLengthHi = 1000;  // characters of the title and the texts
// No real song comes near this; a larger file is refused before it is read.
inline constexpr std::uintmax_t kFileBytesHi = 4 * 1024 * 1024;
}  // namespace songlimits

// A header item: the key up to and including "=", and the value after it.
struct HeaderEntry {
    std::string key;
    std::string value;
};

// A note as it goes into the song model: capo added, held notes resolved, old durations
// doubled, end-of-page frets silenced.
struct ParsedNote {
    i16 dur = 0;
    StringFrets frets{};
    i16 x = kUnplacedX;
};

struct ParsedSong {
    bool currentFormat = false;
    std::vector<HeaderEntry> header;  // in file order
    i16 capo = 0;
    std::vector<ParsedNote> notes;
    std::vector<std::string> notices;  // told to the user after loading
};

// Why a file was refused: the text of the message shown to the user.
struct ReadFailure {
    std::string message;
};

// Reads a whole song file; fileName is used only in messages.
std::variant<ParsedSong, ReadFailure> readSongText(ItemReader& reader, const std::string& fileName);

// Reads the song file at path whole, refusing one that is too large to be a song or that cannot
// be opened.
std::variant<ParsedSong, ReadFailure> readSongFile(const std::string& path);

// A header value as a number, brought into lo..hi.
i16 headerNumber(const std::string& value, int lo, int hi);

}  // namespace lutavo
