// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/item_reader.h"

#include <fstream>
#include <sstream>

namespace lutavo {

std::optional<ItemReader> ItemReader::open(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return ItemReader(ss.str());
}

void ItemReader::skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
}

namespace {

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

}  // namespace

void ItemReader::countLinesUpTo(std::size_t pos) {
    for (; countedTo_ < pos; ++countedTo_) {
        const char c = text_[countedTo_];
        // CR LF, LF and a lone CR each end one line.
        if (c == '\n' ||
            (c == '\r' && (countedTo_ + 1 >= text_.size() || text_[countedTo_ + 1] != '\n'))) {
            ++line_;
        }
    }
}

std::optional<std::string> ItemReader::next() {
    if (atEnd()) return std::nullopt;
    skipBlanks();
    countLinesUpTo(pos_);
    itemLine_ = line_;
    std::string item;
    if (pos_ < text_.size() && text_[pos_] == '"') {
        const std::size_t close = text_.find('"', pos_ + 1);
        const std::size_t end = close == std::string::npos ? text_.size() : close;
        item = text_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = close == std::string::npos ? text_.size() : close + 1;
        // Whatever follows the closing quote up to the item's end is dropped.
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
            ++pos_;
        item = text_.substr(start, pos_ - start);
    }
    // Consume the terminator: a comma, or one line end (CR LF, LF or CR).
    if (pos_ < text_.size()) {
        if (text_[pos_] == ',') {
            ++pos_;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        } else if (text_[pos_] == '\n') {
            ++pos_;
        }
    }
    return item;
}

}  // namespace lutavo
