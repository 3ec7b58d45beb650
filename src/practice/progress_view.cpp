// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/progress_view.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>

#include "platform/dialogs.h"
#include "practice/practice_session.h"

namespace lutavo {

namespace {

constexpr EpochSeconds kDay = 24 * 60 * 60;

// Days since the epoch, in the time zone utcOffset seconds east of UTC.
EpochSeconds dayNumber(EpochSeconds at, int utcOffset) {
    const EpochSeconds local = at + utcOffset;
    return local >= 0 ? local / kDay : (local - kDay + 1) / kDay;
}

std::string dayText(EpochSeconds day) {
    const std::time_t start = static_cast<std::time_t>(day * kDay);
    std::tm utc{};
    gmtime_r(&start, &utc);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
    return text;
}

// Every day from the song's first day of practice (within the longest reach) or the shortest
// reach, whichever is earlier, up to today.
std::vector<std::string> chartDays(const std::vector<DayMinutes>& practised, EpochSeconds today) {
    EpochSeconds first = today - kProgressMinDays + 1;
    if (!practised.empty()) {
        for (EpochSeconds d = today - kProgressMaxDays + 1; d < first; ++d) {
            if (dayText(d) == practised.front().day) first = d;
        }
    }
    std::vector<std::string> days;
    for (EpochSeconds d = first; d <= today; ++d)
        days.push_back(dayText(d));
    return days;
}

std::vector<ProgressReport::Passage> passageLines(const std::vector<PassageBest>& best,
                                                  const std::map<std::string, int>& dayIndex) {
    std::vector<ProgressReport::Passage> lines;
    for (const PassageBest& b : best) {
        const auto day = dayIndex.find(b.day);
        if (day == dayIndex.end()) continue;
        const std::string name = "Notes " + std::to_string(b.first) + "-" + std::to_string(b.last);
        if (lines.empty() || lines.back().name != name) lines.push_back({name, {}});
        lines.back().bestPerDay.emplace_back(day->second, b.tempoPercent);
    }
    return lines;
}

}  // namespace

int localUtcOffset(EpochSeconds at) {
    const std::time_t t = static_cast<std::time_t>(at);
    std::tm local{};
    localtime_r(&t, &local);
    return static_cast<int>(local.tm_gmtoff);
}

ProgressReport progressReport(const PracticeRecord& record,
                              const std::optional<PracticedSong>& song, EpochSeconds now,
                              int utcOffset) {
    ProgressReport report;
    for (const RecentSong& recent : record.recentSongs(kProgressRecentSongs))
        report.recentSongs.push_back(recent.path);
    const EpochSeconds today = dayNumber(now, utcOffset);
    std::vector<DayMinutes> practised;
    std::vector<PassageBest> best;
    if (song) {
        report.song = std::filesystem::path(song->path).filename().string();
        const EpochSeconds from = (today - kProgressMaxDays + 1) * kDay - utcOffset;
        practised = record.minutesPerDay(song->hash, from, now + 1, utcOffset);
        best = record.bestTempoPerDay(song->hash, utcOffset);
    }
    std::map<std::string, int> dayIndex;
    for (const std::string& day : chartDays(practised, today)) {
        dayIndex[day] = static_cast<int>(report.minutesPerDay.size());
        report.minutesPerDay.emplace_back(day, 0.0);
    }
    for (const DayMinutes& d : practised) {
        if (const auto at = dayIndex.find(d.day); at != dayIndex.end())
            report.minutesPerDay[static_cast<std::size_t>(at->second)].second = d.minutes;
    }
    report.passages = passageLines(best, dayIndex);
    return report;
}

std::optional<std::string> showProgress(PracticeState& p, Dialogs* dialogs,
                                        const std::string& songFile) {
    if (dialogs == nullptr) return std::nullopt;
    if (const std::string trouble = openPracticeRecord(p); !trouble.empty())
        dialogs->message(trouble, "", MessageButtons::Ok);
    if (!p.record) {
        dialogs->message("No practice record is kept, so there is no progress to show.", "",
                         MessageButtons::Ok);
        return std::nullopt;
    }
    const EpochSeconds now = p.clock();
    return dialogs->showProgress(
        progressReport(*p.record, practicedSong(songFile), now, localUtcOffset(now)));
}

}  // namespace lutavo
