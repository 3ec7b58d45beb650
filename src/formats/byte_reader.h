// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading little-endian numbers and strings from the bytes of a binary file. A read past the end
// gives zeros and marks the reader failed, so a parser can read a whole record and check once;
// nothing a file holds can make it read outside its bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace lutavo {

class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    std::uint8_t u8();
    std::int8_t i8();
    std::int16_t i16();
    std::int32_t i32();
    double f64();
    std::string text(std::size_t n);
    void skip(std::size_t n);

    // A count read from the file that must be within lo..hi; outside it the reader fails with
    // the reason given.
    int count(int lo, int hi, const char* what);

    // Marks the reader failed with a reason, unless it has one already.
    void fail(const std::string& why);

    bool ok() const { return why_.empty(); }
    const std::string& why() const { return why_; }
    std::size_t offset() const { return pos_; }
    std::size_t remaining() const { return bytes_.size() - pos_; }

  private:
    bool take(std::size_t n);
    std::uint32_t little(std::size_t n);

    std::string_view bytes_;
    std::size_t pos_ = 0;
    std::string why_;
};

}  // namespace lutavo
