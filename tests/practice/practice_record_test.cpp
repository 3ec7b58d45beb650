// SPDX-License-Identifier: GPL-3.0-or-later
// The practice record's database: made, brought up to date, surviving a killed program and a
// damaged file, and the figures the progress view asks of it.

#include "practice/practice_record.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "fakes/temp_dir.h"
#include "practice/progress_view.h"
#include "practice/raw_database.h"

namespace lutavo::test {
namespace {

constexpr EpochSeconds kMonday = 1795996800;  // 2026-11-30 00:00 UTC
constexpr EpochSeconds kHour = 3600;
constexpr EpochSeconds kDay = 24 * kHour;

class Record : public ::testing::Test {
  protected:
    TempDir dir;
    const std::string path = dir.path() + "lutavo/practice.db";
    const PracticedSong song{"/songs/a.SNG", contentHash("song a")};

    PracticeRecordHandle openRecord(const std::string& expectedMessage = "") {
        auto opened = PracticeRecord::open(path, kMonday);
        EXPECT_EQ(opened.message, expectedMessage);
        return std::move(opened.record);
    }
};

TEST_F(Record, IsCreatedInItsFolderAndKeepsEachPassOfASession) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    const auto id = record->beginSession(song, 3, 9, kMonday);
    for (const auto& [tempo, at] : {std::pair{60, 20}, {75, 40}, {70, 60}})
        EXPECT_TRUE(record->recordPass(id, tempo, kMonday + at));
    EXPECT_TRUE(record->endSession(id, kMonday + 65));
    EXPECT_FALSE(record->recordPass(id + 1, 60, kMonday + 70));  // no such session
    EXPECT_FALSE(record->endSession(id + 1, kMonday + 70));
    Raw raw(path);
    EXPECT_EQ(raw.rows("SELECT pass, tempo_percent, end_time, score FROM passes ORDER BY pass"),
              "1 60 1795996820 NULL,2 75 1795996840 NULL,3 70 1795996860 NULL");
    EXPECT_EQ(raw.rows("SELECT first_note, last_note, passes, best_tempo, end_time - start_time"
                       " FROM sessions"),
              "3 9 3 75 65");
    EXPECT_EQ(raw.rows("SELECT path FROM songs"), song.path);
}

TEST_F(Record, AVersionOneDatabaseIsBroughtUpToDateAndANewerOneLeftAlone) {
    std::filesystem::create_directories(dir.path() + "lutavo");
    {
        Raw raw(path);
        raw.exec(
            "CREATE TABLE songs (id INTEGER PRIMARY KEY, hash INTEGER NOT NULL UNIQUE,"
            " path TEXT NOT NULL);"
            "CREATE TABLE sessions (id INTEGER PRIMARY KEY, song_id INTEGER NOT NULL,"
            " first_note INTEGER NOT NULL, last_note INTEGER NOT NULL, start_time INTEGER NOT NULL,"
            " end_time INTEGER NOT NULL, passes INTEGER NOT NULL DEFAULT 0);"
            "INSERT INTO songs VALUES (1, " +
            std::to_string(static_cast<std::int64_t>(song.hash)) +
            ", '/old/a.SNG');"
            "INSERT INTO sessions VALUES (1, 1, 1, 4, 1795996800, 1795997400, 12);"
            "PRAGMA user_version = 1;");
    }
    auto record = openRecord();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->minutesPerDay(song.hash, kMonday, kMonday + kDay, 0).at(0).minutes, 10);
    EXPECT_TRUE(record->bestTempoPerDay(song.hash, 0).empty());  // no tempo known then
    EXPECT_TRUE(record->recordPass(1, 80, kMonday + kDay));      // the old session goes on
    EXPECT_EQ(record->beginSession(song, 2, 3, kMonday + 2 * kDay), 2);
    EXPECT_EQ(record->recentSongs(5).at(0).path, song.path);  // the song's new place
    Raw raw(path);
    EXPECT_EQ(raw.rows("PRAGMA user_version"), "2");
    EXPECT_EQ(raw.rows("SELECT passes, best_tempo FROM sessions WHERE id = 1"), "13 80");
    EXPECT_EQ(raw.rows("SELECT pass FROM passes"), "13");
    // A newer program's database is left as it is.
    raw.exec("PRAGMA user_version = " + std::to_string(kPracticeSchemaVersion + 1));
    const auto newer = PracticeRecord::open(path, kMonday);
    EXPECT_EQ(std::tuple(static_cast<bool>(newer.record),
                         newer.message.find("newer version") != std::string::npos,
                         raw.rows("PRAGMA user_version")),
              std::tuple(false, true, std::to_string(kPracticeSchemaVersion + 1)));
}

// The program is killed while it writes a third pass: the two passes before it are kept.
TEST_F(Record, AKilledProgramLosesOnlyThePassUnderWay) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto record = PracticeRecord::open(path, kMonday).record;
        const auto id = record->beginSession(song, 1, 8, kMonday);
        record->recordPass(id, 60, kMonday + 30);
        record->recordPass(id, 65, kMonday + 60);
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db,
                     "BEGIN IMMEDIATE; UPDATE sessions SET passes = 3, end_time = 1795996890;"
                     "INSERT INTO passes VALUES (1, 3, 70, 1795996890, NULL);",
                     nullptr, nullptr, nullptr);
        raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_TRUE(std::filesystem::exists(path + "-wal"));  // the pass it was writing
    auto record = openRecord();
    ASSERT_TRUE(record);
    Raw raw(path);
    EXPECT_EQ(raw.rows("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(raw.rows("SELECT pass FROM passes ORDER BY pass"), "1,2");
    EXPECT_EQ(raw.rows("SELECT passes, best_tempo, end_time FROM sessions"), "2 65 1795996860");
}

TEST_F(Record, AnUnreadableFileIsMovedAsideAndANewRecordBegun) {
    struct Case {
        const char* what;
        std::string bytes;
        bool movedAside;
    };
    const Case cases[] = {
        {"garbage", std::string(4096, '\x5a'), true},
        {"a damaged header", std::string("SQLite format 3\0", 16) + std::string(200, '\1'), true},
        {"an empty file, a database with nothing in it yet", "", false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(dir.path() + "lutavo");
        std::filesystem::create_directories(dir.path() + "lutavo");
        dir.write("lutavo/practice.db", c.bytes);
        const std::string aside = path + ".corrupt-20261130-000000";
        auto record = openRecord(c.movedAside ? "The practice record " + path +
                                                    " could not be read. It was kept as " + aside +
                                                    " and a new record begun."
                                              : "");
        ASSERT_TRUE(record) << c.what;
        EXPECT_GT(record->beginSession(song, 1, 2, kMonday), 0) << c.what;
        EXPECT_EQ(std::filesystem::exists(aside), c.movedAside) << c.what;
        EXPECT_EQ(c.movedAside ? readFile(aside) : "", c.movedAside ? c.bytes : "") << c.what;
    }
}

// A week of practice: song a on Monday, Tuesday (twice, on two passages) and Sunday; song b on
// Wednesday; Sunday's session begins at 23:30 UTC, already Monday an hour east.
TEST_F(Record, AnswersTheProgressViewOverAWeekOfSessions) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    const PracticedSong b{"/songs/b.SNG", contentHash("song b")};
    const std::tuple<const PracticedSong*, int, int, EpochSeconds, std::vector<int>, EpochSeconds>
        week[] = {{&song, 1, 8, kMonday + 18 * kHour, {60, 65, 70}, 600},
                  {&song, 1, 8, kMonday + kDay + 9 * kHour, {70, 75}, 300},
                  {&song, 9, 12, kMonday + kDay + 20 * kHour, {50}, 120},
                  {&b, 1, 4, kMonday + 2 * kDay + 8 * kHour, {90}, 60},
                  {&song, 1, 8, kMonday + 6 * kDay + 23 * kHour + 1800, {80, 85}, 900}};
    for (const auto& [played, first, last, start, tempos, length] : week) {
        const auto id = record->beginSession(*played, first, last, start);
        for (std::size_t i = 0; i < tempos.size(); ++i)
            record->recordPass(id, tempos[i], start + static_cast<EpochSeconds>(i + 1) * 10);
        record->endSession(id, start + length);
    }
    const auto minutes = [&](EpochSeconds from, EpochSeconds to, int offset) {
        std::string out;
        for (const auto& d : record->minutesPerDay(song.hash, from, to, offset))
            out += d.day + "=" + std::to_string(d.minutes).substr(0, 4) + " ";
        return out;
    };
    EXPECT_EQ(minutes(kMonday, kMonday + 7 * kDay, 0),
              "2026-11-30=10.0 2026-12-01=7.00 2026-12-06=15.0 ");
    EXPECT_EQ(minutes(kMonday, kMonday + 7 * kDay, 3600),
              "2026-11-30=10.0 2026-12-01=7.00 2026-12-07=15.0 ");
    // The range takes sessions begun at its start and leaves out those begun at its end.
    EXPECT_EQ(minutes(kMonday + 18 * kHour, kMonday + kDay + 20 * kHour, 0),
              "2026-11-30=10.0 2026-12-01=5.00 ");
    EXPECT_EQ(minutes(kMonday + 18 * kHour + 1, kMonday + kDay + 20 * kHour + 1, 0),
              "2026-12-01=7.00 ");

    std::string best;
    for (const auto& p : record->bestTempoPerDay(song.hash, 0))
        best += std::to_string(p.first) + "-" + std::to_string(p.last) + " " + p.day + " " +
                std::to_string(p.tempoPercent) + "; ";
    EXPECT_EQ(best,
              "1-8 2026-11-30 70; 1-8 2026-12-01 75; 1-8 2026-12-06 85; 9-12 2026-12-01 50; ");

    const auto recent = record->recentSongs(2);
    EXPECT_EQ(std::tuple(recent.size(), recent.at(0).path, recent.at(0).last, recent.at(1).path,
                         record->recentSongs(1).size(), record->recentSongs(0).size()),
              std::tuple(2u, song.path, kMonday + 6 * kDay + 23 * kHour + 2700, b.path, 1u, 0u));
}

// The charts reach back to the song's first day of practice within a year, and over four weeks
// at least; passages are drawn on the days they were practised.
TEST_F(Record, TheProgressChartsReachBackToTheSongsFirstDayWithinAYear) {
    auto record = openRecord();
    ASSERT_TRUE(record);
    const EpochSeconds now = kMonday + 400 * kDay + 12 * kHour;
    const PracticedSong b{"/songs/b.SNG", contentHash("song b")};
    const std::tuple<const PracticedSong*, int, int> sessions[] = {
        {&song, kProgressMaxDays - 1, 50}, {&song, 0, 90}, {&b, kProgressMaxDays, 40}, {&b, 2, 70}};
    for (const auto& [played, back, tempo] : sessions) {
        const auto id = record->beginSession(*played, 1, 4, now - back * kDay);
        record->recordPass(id, tempo, now - back * kDay + 60);
        record->endSession(id, now - back * kDay + 120);
    }
    const auto a = progressReport(*record, song, now, 0);
    ASSERT_EQ(a.minutesPerDay.size(), std::size_t{kProgressMaxDays});
    EXPECT_EQ(std::tuple(a.minutesPerDay.front().second, a.minutesPerDay.back().second,
                         a.passages.at(0).bestPerDay),
              std::tuple(2.0, 2.0, std::vector<std::pair<int, int>>{{0, 50}, {365, 90}}));
    const auto shortOne = progressReport(*record, b, now, 0);
    ASSERT_EQ(shortOne.minutesPerDay.size(), std::size_t{kProgressMinDays});
    EXPECT_EQ(std::tuple(shortOne.minutesPerDay[25].second, shortOne.passages.at(0).bestPerDay),
              std::tuple(2.0, std::vector<std::pair<int, int>>{{25, 70}}));
    const auto none = progressReport(*record, std::nullopt, now, 0);
    EXPECT_EQ(
        std::tuple(none.song, none.minutesPerDay.size(), none.passages.size(), none.recentSongs),
        std::tuple(std::string(), std::size_t{kProgressMinDays}, std::size_t{0},
                   std::vector<std::string>{song.path, b.path}));
}

}  // namespace
}  // namespace lutavo::test
