// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/song_lines.h"

#include <algorithm>

#include "song/fret_codes.h"

namespace lutavo::fitting {

namespace {

void strikeAgain(Line& line, LostItems& lost) {
    if (line.steps.empty()) return;
    Step& first = line.steps.front();
    for (std::size_t s = 0; s < first.frets.size(); ++s) {
        i16& code = first.frets[s];
        if (isHeld(code) || (code == kBend && first.sounding[s] >= 0)) {
            code = code == kBend ? first.sounding[s] : static_cast<i16>(fretOf(code));
            lost.add(Lost::TieOverLine);
        } else if (code == kBend) {
            code = kSilent;
        }
    }
}

ParsedNote lineEnd() {
    ParsedNote end;
    end.dur = kEndOfPage;
    end.frets.fill(kSilent);
    return end;
}

}  // namespace

std::vector<Line> packLines(std::vector<std::vector<Step>> bars,
                            const std::vector<bool>& systemStarts, LostItems& lost) {
    const bool fileLines =
        std::find(systemStarts.begin(), systemStarts.end(), true) != systemStarts.end();
    std::vector<Line> lines;
    Line current;
    auto close = [&] {
        if (current.steps.empty()) return;
        lines.push_back(std::move(current));
        current = Line{};
    };
    for (std::size_t b = 0; b < bars.size(); ++b) {
        std::vector<Step>& bar = bars[b];
        if (b < systemStarts.size() && systemStarts[b]) close();
        if (bar.empty()) continue;
        if (bar.size() > 2 * kLineSteps) {
            close();
            for (std::size_t i = 0; i < bar.size(); i += kLineSteps) {
                const std::size_t end = std::min(bar.size(), i + kLineSteps);
                current.steps.assign(bar.begin() + static_cast<long>(i),
                                     bar.begin() + static_cast<long>(end));
                current.bars = end == bar.size() ? 1 : 0;
                close();
            }
            continue;
        }
        const bool full = current.steps.size() + bar.size() > kLineSteps ||
                          (!fileLines && current.bars >= static_cast<int>(kLineBars));
        if (full) close();
        current.steps.insert(current.steps.end(), bar.begin(), bar.end());
        ++current.bars;
    }
    close();
    for (Line& line : lines)
        strikeAgain(line, lost);
    return lines;
}

std::vector<std::vector<ParsedNote>> packParts(const std::vector<Line>& lines, LostItems& lost) {
    std::vector<std::vector<ParsedNote>> parts;
    std::vector<ParsedNote> part;
    int linesInPart = 0;
    std::size_t next = 0;
    for (; next < lines.size(); ++next) {
        const Line& line = lines[next];
        const std::size_t needed = line.steps.size() + (linesInPart > 0 ? 1 : 0);
        if (linesInPart > 0 && (linesInPart >= kMaxPages || part.size() + needed > kMaxNotes)) {
            parts.push_back(std::move(part));
            part.clear();
            linesInPart = 0;
            if (parts.size() >= kMaxParts) break;
        }
        if (linesInPart > 0) part.push_back(lineEnd());
        for (const Step& step : line.steps) {
            ParsedNote note;
            note.dur = static_cast<i16>(step.ticks);
            note.frets = step.frets;
            part.push_back(note);
        }
        ++linesInPart;
    }
    if (!part.empty()) parts.push_back(std::move(part));
    for (; next < lines.size(); ++next)
        lost.add(Lost::Tail, lines[next].bars);
    return parts;
}

}  // namespace lutavo::fitting
