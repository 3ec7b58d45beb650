// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A connection of a test's own to a database, beside the program's.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

namespace lutavo::test {

class Raw {
  public:
    explicit Raw(const std::string& path) { sqlite3_open(path.c_str(), &db_); }
    ~Raw() { sqlite3_close(db_); }
    Raw(const Raw&) = delete;
    Raw& operator=(const Raw&) = delete;
    void exec(const std::string& sql) const {
        char* error = nullptr;
        sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error);
        EXPECT_EQ(error, nullptr) << error << " in " << sql;
        sqlite3_free(error);
    }
    // The first column of each row, as text ("NULL" for none), joined by ",".
    std::string rows(const std::string& sql) const {
        std::string out;
        sqlite3_exec(
            db_, sql.c_str(),
            [](void* text, int, char** values, char**) {
                auto& s = *static_cast<std::string*>(text);
                s += (s.empty() ? "" : ",") + std::string(values[0] ? values[0] : "NULL");
                return 0;
            },
            &out, nullptr);
        return out;
    }

  private:
    sqlite3* db_ = nullptr;
};

}  // namespace lutavo::test
