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
    EXPECT_TRUE(record->recordPass(id, 60, kMonday + 20));
    EXPECT_TRUE(record->recordPass(id, 75, kMonday + 40));
    EXPECT_TRUE(record->recordPass(id, 70, kMonday + 60));
    EXPECT_TRUE(record->endSession(id, kMonday + 65));
    EXPECT_FALSE(record->recordPass(id + 1, 60, kMonday + 70));  // no such session
    EXPECT_FALSE(record->endSession(id + 1, kMonday + 70));
    Raw raw(path);
    EXPECT_EQ(raw.rows("PRAGMA user_version"), "2");
    EXPECT_EQ(raw.rows("SELECT pass || ':' || tempo_percent || ':' || end_time || ':' ||"
                       " coalesce(score, 'none') FROM passes ORDER BY pass"),
              "1:60:1795996820:none,2:75:1795996840:none,3:70:1795996860:none");
    EXPECT_EQ(raw.rows("SELECT first_note || '-' || last_note || ' ' || passes || ' ' || best_tempo"
                       " || ' ' || (end_time - start_time) FROM sessions"),
              "3-9 3 75 65");
    EXPECT_EQ(raw.rows("SELECT path FROM songs"), song.path);
}

TEST_F(Record, AVersionOneDatabaseIsBroughtUpToDateWithItsSessionsKept) {
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
    EXPECT_EQ(raw.rows("SELECT passes || ' ' || best_tempo FROM sessions WHERE id = 1"), "13 80");
    EXPECT_EQ(raw.rows("SELECT pass FROM passes"), "13");
}

TEST_F(Record, ADatabaseOfANewerVersionIsLeftAsItIs) {
    for (const int version : {kPracticeSchemaVersion, kPracticeSchemaVersion + 1}) {
        openRecord();  // made at the current version
        Raw(path).exec("PRAGMA user_version = " + std::to_string(version));
        const bool newer = version > kPracticeSchemaVersion;
        auto opened = PracticeRecord::open(path, kMonday);
        EXPECT_EQ(static_cast<bool>(opened.record), !newer);
        EXPECT_EQ(opened.message.find("newer version") != std::string::npos, newer);
        EXPECT_EQ(Raw(path).rows("PRAGMA user_version"), std::to_string(version));
        EXPECT_FALSE(std::filesystem::exists(path + ".corrupt-20261130-000000"));
    }
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
    EXPECT_EQ(raw.rows("SELECT passes || ' ' || best_tempo || ' ' || end_time FROM sessions"),
              "2 65 1795996860");
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
    struct Session {
        const PracticedSong* song;
        int first, last;
        EpochSeconds start;
        std::vector<int> tempos;
        EpochSeconds length;
    };
    const Session week[] = {
        {&song, 1, 8, kMonday + 18 * kHour, {60, 65, 70}, 600},
        {&song, 1, 8, kMonday + kDay + 9 * kHour, {70, 75}, 300},
        {&song, 9, 12, kMonday + kDay + 20 * kHour, {50}, 120},
        {&b, 1, 4, kMonday + 2 * kDay + 8 * kHour, {90}, 60},
        {&song, 1, 8, kMonday + 6 * kDay + 23 * kHour + 1800, {80, 85}, 900},
    };
    for (const auto& s : week) {
        const auto id = record->beginSession(*s.song, s.first, s.last, s.start);
        for (std::size_t i = 0; i < s.tempos.size(); ++i)
            record->recordPass(id, s.tempos[i], s.start + static_cast<EpochSeconds>(i + 1) * 10);
        record->endSession(id, s.start + s.length);
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
    ASSERT_EQ(recent.size(), 2u);
    EXPECT_EQ(recent[0].path, song.path);
    EXPECT_EQ(recent[0].last, kMonday + 6 * kDay + 23 * kHour + 1800 + 900);
    EXPECT_EQ(recent[1].path, b.path);
    EXPECT_EQ(record->recentSongs(1).size(), 1u);
    EXPECT_TRUE(record->recentSongs(0).empty());
}

}  // namespace
}  // namespace lutavo::test
