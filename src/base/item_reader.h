// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads a text file item by item, the unit of every file the program reads (songs, the
// configuration, lessons): an item ends at a comma or at the end of a line, its leading blanks
// are skipped, and an item that begins with a double quote runs to the next double quote (the
// quotes are not part of it, and commas inside are kept).

#include <optional>
#include <string>
#include <string_view>

namespace lutavo {

class ItemReader {
  public:
    explicit ItemReader(std::string text) : text_(std::move(text)) {}

    // Reads the whole file; nullopt when it cannot be opened or read.
    static std::optional<ItemReader> open(const std::string& path);

    // The next item, or nullopt at the end of the text.
    std::optional<std::string> next();

    bool atEnd() const { return pos_ >= text_.size(); }

    // The 1-based line of the file on which the item last returned by next() began, so that a
    // reader can tell the user where a bad item stands.
    int line() const { return itemLine_; }

  private:
    void skipBlanks();
    void countLinesUpTo(std::size_t pos);
    std::string text_;
    std::size_t pos_ = 0;
    std::size_t countedTo_ = 0;  // line ends before this position are counted in line_
    int line_ = 1;
    int itemLine_ = 0;
};

}  // namespace lutavo
