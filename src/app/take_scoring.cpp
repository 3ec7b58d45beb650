// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/take_scoring.h"

#include <cstdio>
#include <map>

#include "playback/performance.h"
#include "playback/play_tick.h"
#include "playback/sound.h"
#include "tuning/pitch_table.h"

namespace lutavo {

std::optional<ExpectedPlay> expectedPlayOf(const ExportRequest& request, const PlayRange& range) {
    const auto opened = openSongFile(request);
    if (!opened) return std::nullopt;
    const SongModel& song = opened->song;
    if (range.first > song.noteCount || range.lastIn(song.noteCount) < range.first) {
        std::fprintf(stderr, "lutavo: %s has %d notes; the range is not in it\n",
                     request.song.c_str(), static_cast<int>(song.noteCount));
        return std::nullopt;
    }
    PlaybackSettings settings =
        songSettings(song, soundOf(opened->config), pitchTableFor(song.altTuning));
    settings.range = range;
    ExpectedPlay play;
    // The play of a range ends as the note after it begins, which is not the player's.
    const int last = range.lastIn(song.noteCount);
    for (const ExpectedNote& note : expectedNotes(performance(song, settings)))
        if (note.note >= range.first && note.note <= last) play.notes.push_back(note);
    for (const ExpectedNote& note : play.notes)
        play.lines.push_back(pageOfNote(song, note.note, settings.pageCount));
    play.beatMs = timeAtTick(song.metroTicks, settings);
    return play;
}

std::vector<std::string> scoreReport(const ExpectedPlay& play,
                                     const std::vector<Judgement>& judged) {
    std::map<int, std::vector<Judgement>> byLine;
    for (std::size_t i = 0; i < judged.size() && i < play.lines.size(); ++i)
        byLine[play.lines[i]].push_back(judged[i]);
    std::vector<std::string> report;
    for (const auto& [line, notes] : byLine) {
        const PassScore score = scoreOf(notes);
        std::string text = "Line " + std::to_string(line) + ": " +
                           std::to_string(score.count(Verdict::Hit)) + " of " +
                           std::to_string(score.total) + " hit";
        if (const std::string faults = faultsText(score); !faults.empty())
            text += " (" + faults + ")";
        report.push_back(text);
    }
    report.push_back(totalLine(scoreOf(judged)));
    return report;
}

std::optional<PlayRange> parseNoteRange(const std::string& text) {
    int first = 0, last = 0;
    char dash = 0, rest = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &first, &dash, &last, &rest) != 3 || dash != '-')
        return std::nullopt;
    if (first < 1 || last < first || last > kMaxNotes) return std::nullopt;
    PlayRange range;
    range.first = static_cast<i16>(first);
    range.last = static_cast<i16>(last);
    return range;
}

}  // namespace lutavo
