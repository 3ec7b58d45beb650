// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the progress view shows of the practice record: the current song's minutes per day and
// the best speed reached on each of its passages, and the songs practised most recently.

#include <string>
#include <utility>
#include <vector>

namespace lutavo {

struct ProgressReport {
    std::string song;  // the current song's file name; "" when no song file is open
    // Every day of the charts, oldest first, as YYYY-MM-DD with the minutes practised that day.
    std::vector<std::pair<std::string, double>> minutesPerDay;
    struct Passage {
        std::string name;  // "Notes 3-9"
        // The best speed (percent of the song's tempo) on the days it was practised, as indices
        // into minutesPerDay.
        std::vector<std::pair<int, int>> bestPerDay;
    };
    std::vector<Passage> passages;
    std::vector<std::string> recentSongs;  // paths, newest first
};

}  // namespace lutavo
