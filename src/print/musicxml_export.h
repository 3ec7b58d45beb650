#pragma once
// PRINT > Export MusicXML...: the song as a score other notation programs open.

#include <string>

namespace lutavo {

struct Guitar;

// The song in memory as MusicXML text, with the texts shown above the page and the sound in use.
std::string songMusicXml(const Guitar& g);

// Writes songMusicXml to path; false when the file cannot be written.
bool exportMusicXml(const Guitar& g, const std::string& path);

// Asks for a file beside the song, under its name, and writes it; a failure is reported.
void mnuExportMusicXml_Click(Guitar& g);

}  // namespace lutavo
