// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "song/note_line.h"
#include "song/song_writer.h"

namespace lutavo {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kDefaultLessonPicture = "defaultl.bmp";

// A header line holding text. The reader splits items at commas, so a text with a comma is
// written as one quoted item; a double quote inside a text would end such an item early and
// is written as a single quote.
std::string textLine(const std::string& key, const std::string& text) {
    std::string clean = text;
    for (char& c : clean) {
        if (c == '"') c = '\'';
        if (c == '\r' || c == '\n') c = ' ';
    }
    const std::string line = key + clean;
    return clean.find(',') == std::string::npos ? line : "\"" + line + "\"";
}

std::string altLine(const SongModel& s) {
    std::string line = "alt=";
    for (int str = 1; str <= kStrings; ++str) {
        // Each field is read back at a fixed position: it must stay two characters wide.
        line += twoCharField(clampTo(s.altTuning[str], -9, 99));
    }
    return line;
}

}  // namespace

std::string songText(const SongModel& s, const SongTexts& shown) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + kLineEnd; };
    line("lutavo3");
    line(textLine("title=", s.songTitle));
    line(textLine("right=", shown.right));
    line(textLine("left=", shown.left));
    line("key=" + std::to_string(s.songKey));
    line("metroticks=" + std::to_string(s.metroTicks));
    line("timesig=" + std::to_string(s.timeSig));
    line("page=INTERNAL");
    if (shown.pointer) line("pointer=on");
    if (shown.vpointer) line("vpointer=on");
    line("style=" + std::to_string(shown.style));
    line(altLine(s));
    if (s.metroOn == 1) line("metro=on");
    if (s.capo > 0) line("capo=" + std::to_string(s.capo));
    if (s.lessonPicture != kDefaultLessonPicture) line(textLine("lessonpic=", s.lessonPicture));
    line("tempo=" + std::to_string(s.tempo));
    line("");
    NoteLineWriter notes;
    for (int n = 1; n <= s.noteCount; ++n)
        line(notes.line(s, n));
    return out;
}

}  // namespace lutavo
