// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/text_encoding.h"

namespace lutavo {

namespace {

// The length of the UTF-8 sequence a lead byte starts, 0 for a byte no sequence starts with.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const int length = sequenceLength(static_cast<unsigned char>(text[i]));
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) return false;
        for (int k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0xC0) != 0x80)
                return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

}  // namespace

std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) break;
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string utf8OrLatin1(std::string_view text) {
    return isUtf8(text) ? std::string(text) : latin1ToUtf8(text);
}

}  // namespace lutavo
