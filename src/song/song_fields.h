// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The song's own settings as a song file's header gives them. The window takes further keys of
// the same header (pointers, picture frames, the sound, the lead-in, the clip played on loading);
// these are the ones that belong to the song model.

#include <string>

#include "song/song_reader.h"

namespace lutavo {

struct SongModel;

// Text in upper case, as file names and page picture names are compared.
std::string upperCase(std::string text);

// A header entry that names a file (the page picture, the click, the lesson picture, the clip
// played on loading) with a folder in it: it could reach any file of the machine.
bool namesFileElsewhere(const HeaderEntry& entry);

// Sets the song field a header entry gives, brought into the model's ranges; nothing for a key
// that is not the song's own. currentFormat: the file gives the metronome's beat in today's
// ticks (older files in half as many).
void applySongField(SongModel& s, const HeaderEntry& entry, bool currentFormat);

// The per-song fields a file sets afresh before its header is read; the others (tempo,
// metronome, tuning, click, page kind) keep what the song before set.
void resetSongFields(SongModel& s);

// Stores a file's notes: the page table (a page after every end-of-page note), the end sentinel
// and the slot before the first note. Returns the number of pages.
int storeSongNotes(SongModel& s, const std::vector<ParsedNote>& notes);

}  // namespace lutavo
