// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PRINT > Export MusicXML...: the song as a score other notation programs open.

#include <string>

namespace lutavo {

struct Guitar;
struct ConfigState;
struct MusicXmlTexts;
struct SongModel;

// The texts above the page and the General MIDI program of the configured sound.
MusicXmlTexts scoreTexts(const SongModel& song, const ConfigState& config);

// Asks for a file beside the song, under its name, and writes it; a failure is reported.
void mnuExportMusicXml_Click(Guitar& g);

}  // namespace lutavo
