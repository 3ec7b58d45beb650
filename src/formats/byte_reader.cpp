// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/byte_reader.h"

#include <cstring>

namespace lutavo {

bool ByteReader::take(std::size_t n) {
    if (!ok()) return false;
    if (n > remaining()) {
        fail("it ends early, at byte " + std::to_string(bytes_.size()));
        pos_ = bytes_.size();
        return false;
    }
    return true;
}

std::uint32_t ByteReader::little(std::size_t n) {
    if (!take(n)) return 0;
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < n; ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
    pos_ += n;
    return v;
}

std::uint8_t ByteReader::u8() {
    return static_cast<std::uint8_t>(little(1));
}

std::int8_t ByteReader::i8() {
    return static_cast<std::int8_t>(little(1));
}

std::int16_t ByteReader::i16() {
    return static_cast<std::int16_t>(little(2));
}

std::int32_t ByteReader::i32() {
    return static_cast<std::int32_t>(little(4));
}

double ByteReader::f64() {
    const std::uint64_t low = little(4);
    const std::uint64_t bits = low | (static_cast<std::uint64_t>(little(4)) << 32);
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string ByteReader::text(std::size_t n) {
    if (!take(n)) return {};
    std::string s(bytes_.substr(pos_, n));
    pos_ += n;
    return s;
}

void ByteReader::skip(std::size_t n) {
    if (take(n)) pos_ += n;
}

int ByteReader::count(int lo, int hi, const char* what) {
    const std::size_t at = pos_;
    const std::int32_t v = i32();
    if (ok() && (v < lo || v > hi)) {
        fail(std::string("it gives ") + std::to_string(v) + " " + what + " at byte " +
             std::to_string(at) + ", where " + std::to_string(lo) + " to " + std::to_string(hi) +
             " are possible");
    }
    return ok() ? v : lo;
}

void ByteReader::fail(const std::string& why) {
    if (why_.empty()) why_ = why;
}

}  // namespace lutavo
