// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The practice record: every session of practice on a passage, kept in a database in the user's
// data folder for the progress view. Times are seconds since the epoch, given by the caller.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/practice_state.h"

struct sqlite3;

namespace lutavo {

using EpochSeconds = std::int64_t;

// The database's layout this program writes; older ones are brought up to it when opened.
inline constexpr int kPracticeSchemaVersion = 2;

// A stable 64-bit hash of a song file's bytes: a song is known by it wherever it is moved.
std::uint64_t contentHash(std::string_view bytes);

// $XDG_DATA_HOME/lutavo/practice.db, or ~/.local/share/lutavo/practice.db; "" when neither
// variable names a folder.
std::string practiceRecordPath();

struct PracticedSong {
    std::string path;
    std::uint64_t hash = 0;
};

struct DayMinutes {
    std::string day;  // YYYY-MM-DD
    double minutes = 0;
};

struct PassageBest {
    int first = 0;
    int last = 0;
    std::string day;
    int tempoPercent = 0;
};

struct RecentSong {
    std::string path;
    EpochSeconds last = 0;  // when it was last practised
};

class PracticeRecord {
  public:
    struct Opened {
        PracticeRecordHandle record;  // empty when practice goes on unrecorded
        std::string message;          // what to tell the user, once; "" when all went well
    };
    // Opens the database at path, creating its folder and the database, or bringing an older
    // one up to date. One that cannot be read is moved aside (kept under a name stamped with
    // now) and a new one begun.
    static Opened open(const std::string& path, EpochSeconds now);

    explicit PracticeRecord(sqlite3* db) : db_(db) {}
    ~PracticeRecord();
    PracticeRecord(const PracticeRecord&) = delete;
    PracticeRecord& operator=(const PracticeRecord&) = delete;

    // A session on the passage first..last begins; its id, or 0 when it could not be written.
    std::int64_t beginSession(const PracticedSong& song, int first, int last, EpochSeconds start);
    // A pass of the session was played through at tempoPercent of the song's tempo. Each pass
    // is written at once, in a transaction of its own, so a program killed loses only the pass
    // it was playing.
    bool recordPass(std::int64_t session, int tempoPercent, EpochSeconds end);
    bool endSession(std::int64_t session, EpochSeconds end);
    // The earliest pass of the session without a score gets this one (percent of notes hit);
    // false when every pass recorded has one.
    bool scorePass(std::int64_t session, double hitPercent);

    // Days are counted in the caller's time zone: utcOffset seconds east of UTC.
    // Minutes practised per day on the song, for sessions begun in [from, to); days without
    // practice are left out.
    std::vector<DayMinutes> minutesPerDay(std::uint64_t hash, EpochSeconds from, EpochSeconds to,
                                          int utcOffset) const;
    // The best tempo reached in a pass on each passage of the song, per day, ordered by passage
    // then day.
    std::vector<PassageBest> bestTempoPerDay(std::uint64_t hash, int utcOffset) const;
    // The song files practised most recently, newest first, at most limit of them.
    std::vector<RecentSong> recentSongs(int limit) const;

  private:
    sqlite3* db_;
};

}  // namespace lutavo
