// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/practice_record.h"

#include <sqlite3.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace lutavo {

namespace {

namespace fs = std::filesystem;

// Each step brings the layout from its index's version to the next. Version 1 knew sessions
// without their passes; version 2 keeps each pass, with room for a score of how it was played.
constexpr const char* kMigrations[] = {
    "CREATE TABLE songs (id INTEGER PRIMARY KEY, hash INTEGER NOT NULL UNIQUE, path TEXT NOT NULL);"
    "CREATE TABLE sessions (id INTEGER PRIMARY KEY,"
    " song_id INTEGER NOT NULL REFERENCES songs(id), first_note INTEGER NOT NULL,"
    " last_note INTEGER NOT NULL, start_time INTEGER NOT NULL, end_time INTEGER NOT NULL,"
    " passes INTEGER NOT NULL DEFAULT 0);",
    "ALTER TABLE sessions ADD COLUMN best_tempo INTEGER;"
    "CREATE TABLE passes (session_id INTEGER NOT NULL REFERENCES sessions(id),"
    " pass INTEGER NOT NULL, tempo_percent INTEGER NOT NULL, end_time INTEGER NOT NULL,"
    " score REAL, PRIMARY KEY (session_id, pass));"
    "CREATE INDEX sessions_by_song ON sessions(song_id, start_time);",
};
static_assert(std::size(kMigrations) == kPracticeSchemaVersion);

// A prepared statement, finalized when it goes.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    template <typename... Values>
    Statement& bind(Values... values) {
        int i = 0;
        (sqlite3_bind_int64(stmt_, ++i, static_cast<sqlite3_int64>(values)), ...);
        return *this;
    }
    Statement& bindText(int i, const std::string& text) {
        sqlite3_bind_text(stmt_, i, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    bool row() { return stmt_ != nullptr && sqlite3_step(stmt_) == SQLITE_ROW; }
    bool run() { return stmt_ != nullptr && sqlite3_step(stmt_) == SQLITE_DONE; }
    std::int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    double real(int column) const { return sqlite3_column_double(stmt_, column); }
    sqlite3_stmt* stmt() const { return stmt_; }
    std::string text(int column) const {
        const auto* t = sqlite3_column_text(stmt_, column);
        return t == nullptr ? std::string() : reinterpret_cast<const char*>(t);
    }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

bool exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Runs body's writes as one transaction: all of them are kept, or none.
template <typename Body>
bool transaction(sqlite3* db, Body body) {
    if (!exec(db, "BEGIN IMMEDIATE")) return false;
    if (body() && exec(db, "COMMIT")) return true;
    exec(db, "ROLLBACK");
    return false;
}

// Hashes are stored as SQLite's signed integers, bit for bit.
std::int64_t stored(std::uint64_t hash) {
    return static_cast<std::int64_t>(hash);
}

enum class OpenState { Ready, Unreadable, Newer };

OpenState migrate(sqlite3* db) {
    Statement version(db, "PRAGMA user_version");
    if (!version.row()) return OpenState::Unreadable;
    const auto from = version.integer(0);
    if (from > kPracticeSchemaVersion) return OpenState::Newer;
    if (from == 0) {
        // A file of tables with no version was written by some other program.
        Statement tables(db, "SELECT count(*) FROM sqlite_master");
        if (!tables.row() || tables.integer(0) != 0) return OpenState::Unreadable;
    }
    for (auto v = from; v < kPracticeSchemaVersion; ++v) {
        const std::string step =
            kMigrations[v] + std::string("PRAGMA user_version = ") + std::to_string(v + 1) + ";";
        if (!transaction(db, [&] { return exec(db, step.c_str()); })) return OpenState::Unreadable;
    }
    return OpenState::Ready;
}

bool intact(sqlite3* db) {
    Statement check(db, "PRAGMA quick_check");
    return check.row() && check.text(0) == "ok";
}

// A checked connection to the database at path, or the reason there is none.
struct Connection {
    sqlite3* db = nullptr;
    OpenState state = OpenState::Unreadable;
};

Connection connect(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return {};
    }
    sqlite3_busy_timeout(db, 2000);
    OpenState state = intact(db) ? migrate(db) : OpenState::Unreadable;
    // A pass is written on the window's thread: the log makes each commit a short append,
    // kept when the program is killed (only a power cut may lose the latest).
    if (state == OpenState::Ready &&
        !exec(db,
              "PRAGMA journal_mode = WAL; PRAGMA synchronous = NORMAL; "
              "PRAGMA foreign_keys = ON")) {
        state = OpenState::Unreadable;
    }
    if (state != OpenState::Ready) {
        sqlite3_close(db);
        return {nullptr, state};
    }
    return {db, state};
}

std::string stamp(EpochSeconds now) {
    const std::time_t t = now;
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &utc);
    return text;
}

// Moves the unreadable file and its journal aside under the same new name; the new name, or ""
// when it could not be moved.
std::string moveAside(const std::string& path, EpochSeconds now) {
    const std::string aside = path + ".corrupt-" + stamp(now);
    std::error_code ec;
    fs::rename(path, aside, ec);
    if (ec) return "";
    for (const char* part : {"-journal", "-wal", "-shm"}) {
        if (fs::exists(path + part, ec)) fs::rename(path + part, aside + part, ec);
    }
    return aside;
}

std::string unrecorded(const std::string& path) {
    return "The practice record " + path +
           " could not be written. Practice goes on, but it is not recorded this time.";
}

}  // namespace

void PracticeRecordCloser::operator()(PracticeRecord* record) const {
    delete record;
}

std::uint64_t contentHash(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3u;
    }
    return hash;
}

std::string practiceRecordPath() {
    const std::string file = "/lutavo/practice.db";
    // A relative XDG_DATA_HOME is not to be used.
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') return xdg + file;
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return home + std::string("/.local/share") + file;
    return "";
}

PracticeRecord::Opened PracticeRecord::open(const std::string& path, EpochSeconds now) {
    if (path.empty()) {
        return {nullptr,
                "There is no folder for the practice record (HOME is not set). Practice "
                "goes on, but it is not recorded."};
    }
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    const bool existed = fs::exists(path, ec);
    Connection c = connect(path);
    if (c.state == OpenState::Newer) {
        return {nullptr, "The practice record " + path +
                             " was written by a newer version of Lutavo and is left as it is. "
                             "Practice goes on, but it is not recorded."};
    }
    if (c.db != nullptr) return {PracticeRecordHandle(new PracticeRecord(c.db)), ""};
    if (!existed) return {nullptr, unrecorded(path)};
    const std::string aside = moveAside(path, now);
    if (aside.empty() || (c = connect(path)).db == nullptr) return {nullptr, unrecorded(path)};
    return {PracticeRecordHandle(new PracticeRecord(c.db)),
            "The practice record " + path + " could not be read. It was kept as " + aside +
                " and a new record begun."};
}

PracticeRecord::~PracticeRecord() {
    sqlite3_close(db_);
}

std::int64_t PracticeRecord::beginSession(const PracticedSong& song, int first, int last,
                                          EpochSeconds start) {
    std::int64_t id = 0;
    transaction(db_, [&] {
        Statement upsert(db_,
                         "INSERT INTO songs (hash, path) VALUES (?1, ?2)"
                         " ON CONFLICT (hash) DO UPDATE SET path = excluded.path");
        Statement session(
            db_,
            "INSERT INTO sessions (song_id, first_note, last_note, start_time, end_time)"
            " SELECT id, ?2, ?3, ?4, ?4 FROM songs WHERE hash = ?1");
        if (!upsert.bind(stored(song.hash)).bindText(2, song.path).run() ||
            !session.bind(stored(song.hash), first, last, start).run()) {
            return false;
        }
        id = sqlite3_last_insert_rowid(db_);
        return true;
    });
    return id;
}

bool PracticeRecord::recordPass(std::int64_t session, int tempoPercent, EpochSeconds end) {
    return transaction(db_, [&] {
        Statement count(db_,
                        "UPDATE sessions SET passes = passes + 1, end_time = ?3,"
                        " best_tempo = max(coalesce(best_tempo, 0), ?2) WHERE id = ?1");
        Statement pass(db_,
                       "INSERT INTO passes (session_id, pass, tempo_percent, end_time)"
                       " SELECT id, passes, ?2, ?3 FROM sessions WHERE id = ?1");
        return count.bind(session, tempoPercent, end).run() && sqlite3_changes(db_) == 1 &&
               pass.bind(session, tempoPercent, end).run();
    });
}

bool PracticeRecord::endSession(std::int64_t session, EpochSeconds end) {
    Statement close(db_, "UPDATE sessions SET end_time = max(end_time, ?2) WHERE id = ?1");
    return close.bind(session, end).run() && sqlite3_changes(db_) == 1;
}

bool PracticeRecord::scorePass(std::int64_t session, double hitPercent) {
    Statement score(db_,
                    "UPDATE passes SET score = ?2 WHERE session_id = ?1 AND pass = (SELECT"
                    " min(pass) FROM passes WHERE session_id = ?1 AND score IS NULL)");
    score.bind(session);
    sqlite3_bind_double(score.stmt(), 2, hitPercent);
    return score.run() && sqlite3_changes(db_) == 1;
}

std::vector<DayMinutes> PracticeRecord::minutesPerDay(std::uint64_t hash, EpochSeconds from,
                                                      EpochSeconds to, int utcOffset) const {
    Statement q(db_,
                "SELECT date(s.start_time + ?4, 'unixepoch') AS day,"
                " sum(s.end_time - s.start_time) / 60.0"
                " FROM sessions s JOIN songs g ON g.id = s.song_id"
                " WHERE g.hash = ?1 AND s.start_time >= ?2 AND s.start_time < ?3"
                " GROUP BY day ORDER BY day");
    q.bind(stored(hash), from, to, utcOffset);
    std::vector<DayMinutes> days;
    while (q.row())
        days.push_back({q.text(0), q.real(1)});
    return days;
}

std::vector<PassageBest> PracticeRecord::bestTempoPerDay(std::uint64_t hash, int utcOffset) const {
    Statement q(db_,
                "SELECT s.first_note, s.last_note, date(s.start_time + ?2, 'unixepoch') AS day,"
                " max(s.best_tempo)"
                " FROM sessions s JOIN songs g ON g.id = s.song_id"
                " WHERE g.hash = ?1 AND s.best_tempo IS NOT NULL"
                " GROUP BY s.first_note, s.last_note, day ORDER BY s.first_note, s.last_note, day");
    q.bind(stored(hash), utcOffset);
    std::vector<PassageBest> best;
    while (q.row()) {
        best.push_back({static_cast<int>(q.integer(0)), static_cast<int>(q.integer(1)), q.text(2),
                        static_cast<int>(q.integer(3))});
    }
    return best;
}

std::vector<RecentSong> PracticeRecord::recentSongs(int limit) const {
    Statement q(db_,
                "SELECT g.path, max(s.end_time) AS last"
                " FROM sessions s JOIN songs g ON g.id = s.song_id"
                " GROUP BY g.path ORDER BY last DESC, g.path LIMIT ?1");
    q.bind(limit);
    std::vector<RecentSong> songs;
    while (q.row())
        songs.push_back({q.text(0), q.integer(1)});
    return songs;
}

}  // namespace lutavo
