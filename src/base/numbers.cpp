// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/numbers.h"

#include <cmath>
#include <limits>
#include <string>

namespace lutavo {

double roundHalfEven(double v) {
    if (!std::isfinite(v)) return v;
    double floorV = std::floor(v);
    double diff = v - floorV;
    if (diff < 0.5) return floorV;
    if (diff > 0.5) return floorV + 1.0;
    return std::fmod(floorV, 2.0) == 0.0 ? floorV : floorV + 1.0;
}

i16 toInt16(double v) {
    if (std::isnan(v)) return 0;
    double r = roundHalfEven(v);
    if (r < std::numeric_limits<i16>::min()) return std::numeric_limits<i16>::min();
    if (r > std::numeric_limits<i16>::max()) return std::numeric_limits<i16>::max();
    return static_cast<i16>(r);
}

i16 clampInt16(long v) {
    if (v < std::numeric_limits<i16>::min()) return std::numeric_limits<i16>::min();
    if (v > std::numeric_limits<i16>::max()) return std::numeric_limits<i16>::max();
    return static_cast<i16>(v);
}

double numberPrefixValue(std::string_view text) {
    // Blanks anywhere are ignored, as the old readers did ("1 2" reads as 12).
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t') digits.push_back(c);
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) {
        negative = digits[i] == '-';
        ++i;
    }
    double value = 0.0;
    bool seenPoint = false;
    double scale = 0.1;
    for (; i < digits.size(); ++i) {
        char c = digits[i];
        if (c >= '0' && c <= '9') {
            if (seenPoint) {
                value += (c - '0') * scale;
                scale /= 10.0;
            } else {
                value = value * 10.0 + (c - '0');
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    return negative ? -value : value;
}

i16 numberPrefix(std::string_view text) {
    return toInt16(numberPrefixValue(text));
}

}  // namespace lutavo
