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
    // Each row's columns as text ("NULL" for none) joined by " ", the rows by ",".
    std::string rows(const std::string& sql) const {
        std::string out;
        sqlite3_exec(
            db_, sql.c_str(),
            [](void* text, int columns, char** values, char**) {
                auto& s = *static_cast<std::string*>(text);
                for (int i = 0; i < columns; ++i)
                    s += (i > 0       ? " "
                          : s.empty() ? ""
                                      : ",") +
                         std::string(values[i] ? values[i] : "NULL");
                return 0;
            },
            &out, nullptr);
        return out;
    }

  private:
    sqlite3* db_ = nullptr;
};

}  // namespace lutavo::test
