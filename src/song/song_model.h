// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one song in memory: fixed arrays of notes with durations, fret codes and positions, the
// page table, the song's settings and its texts. Nothing is allocated per note.

#include <array>
#include <string>

#include "base/fixed_array.h"
#include "base/numbers.h"

namespace lutavo {

inline constexpr int kMaxNotes = 1000;
inline constexpr int kMaxPages = 29;
inline constexpr int kStrings = 6;

// Duration and control codes.
inline constexpr int kLineMarker = 97;  // picture-page line marker, parameter in string slot 1
inline constexpr int kStopMarker = 98;  // fast-forward stops here
inline constexpr int kEndOfPage = 99;
inline constexpr int kFirstControlCode = 90;  // 90..99 are codes, not note lengths

// Fret codes.
inline constexpr int kHeldBase = 24;  // 24..47: held note of fret value - 24
inline constexpr int kHighestFret = 23;
inline constexpr int kSilent = -1;
inline constexpr int kHoldInFile = -2;
inline constexpr int kBend = -3;
inline constexpr int kMuted = -4;

// The frets of one note, index 0 being string slot 1.
using StringFrets = std::array<i16, kStrings>;

// Position meaning "not laid out yet".
inline constexpr int kUnplacedX = 50;

struct SongModel {
    FixedArray<i16, -4, 1002> noteDur;
    FixedArray2<i16, -2, 1002, 1, kStrings> noteFret;
    FixedArray<i16, -2, 1002> noteX;
    FixedArray<i16, 1, 30> pageStart;

    i16 noteCount = 0;

    i16 tempo = 8;
    i16 metroTicks = 16;
    i16 metroOn = 0;
    i16 timeSig = 0;
    i16 songKey = 1;
    i16 capo = 0;
    FixedArray<i16, 1, kStrings> altTuning;
    i16 altTempo = 0;
    bool songLocked = false;
    // Set by every change of the notes, the capo or the texts through the editing door; cleared
    // when the song is loaded or saved.
    bool modified = false;
    // Counts every change through the editing door, so a command can tell whether it changed
    // anything.
    unsigned changes = 0;

    std::string pagePicture;
    i16 pageHeight = 3000;
    std::string tickSound = "tick.wav";
    std::string lessonPicture = "defaultl.bmp";
    std::string tuningFile = "standard.tng";
    std::string songTitle;
    std::string songInfo;
    std::string songComposer;
    std::string songFolder;
    // The song's file as the file system names it (lblsong shows it in upper case, which on a
    // case-sensitive file system may name no file): the path loaded or last saved; the editor's
    // template is named as a user song ".SNG" beside it.
    std::string songFile;

    // Derived tables.
    FixedArray<i16, 1, 10> durValue;
    FixedArray<i16, 0, 64> durSymbol;
    FixedArray<i16, 1, 5> barTicks;
};

// The page kind of a song whose pages the program draws.
inline constexpr const char* kInternalPages = "INTERNAL";

// The song's pages are cells of a picture rather than drawn by the program.
inline bool hasPicturePages(const SongModel& s) {
    return !s.pagePicture.empty() && s.pagePicture != kInternalPages;
}

// The pages the song's end-of-page notes make, at most kMaxPages.
int drawnPageCount(const SongModel& s);

}  // namespace lutavo
