// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress view: the current song's practice over the last weeks, read from the record,
// and the songs practised most recently to open one of them again.

#include <optional>
#include <string>

#include "core/practice_state.h"
#include "platform/progress_report.h"
#include "practice/practice_record.h"

namespace lutavo {

class Dialogs;

// The charts show at least the last four weeks, and further back to the song's first day of
// practice within a year.
inline constexpr int kProgressMinDays = 28;
inline constexpr int kProgressMaxDays = 366;
inline constexpr int kProgressRecentSongs = 10;

// The report at `now` for the song (nothing: the recent songs alone), its days counted
// utcOffset seconds east of UTC.
ProgressReport progressReport(const PracticeRecord& record,
                              const std::optional<PracticedSong>& song, EpochSeconds now,
                              int utcOffset);

// Seconds east of UTC of the local time at `at`.
int localUtcOffset(EpochSeconds at);

// Shows the progress of the song file ("" for none) until the view is closed; the recent song
// chosen in it to open, if any. The record is opened here when no session has opened it yet.
std::optional<std::string> showProgress(PracticeState& p, Dialogs* dialogs,
                                        const std::string& songFile);

}  // namespace lutavo
