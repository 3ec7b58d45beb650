// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/repeats.h"

namespace lutavo {

PlayOrder playOrder(const std::vector<score::BarInfo>& bars, std::size_t limit) {
    PlayOrder order;
    std::size_t start = 0;   // where the repeat being played begins
    int pass = 1;            // which time through it this is
    bool inEndings = false;  // among the numbered endings of a repeat
    std::size_t lastEnding = 0;
    std::size_t i = 0;
    while (i < bars.size()) {
        if (order.bars.size() >= limit) {
            order.cut = true;
            break;
        }
        const score::BarInfo& bar = bars[i];
        if (bar.endings == 0 && inEndings && i > lastEnding) {
            // Past the last ending the music goes on as after any repeat.
            inEndings = false;
            pass = 1;
            start = i;
        }
        if (bar.repeatStart && !(i == start && pass > 1)) {
            start = i;
            pass = 1;
        }
        if (bar.endings != 0) {
            inEndings = true;
            lastEnding = i;
        }
        // An ending for other passes is left out on this one.
        const unsigned passBit = pass <= 32 ? 1u << (pass - 1) : 0;
        if (bar.endings != 0 && (bar.endings & passBit) == 0) {
            ++i;
            continue;
        }
        order.bars.push_back(static_cast<int>(i));
        if (bar.repeatPlays > pass) {
            ++pass;
            i = start;
            continue;
        }
        if (bar.repeatPlays > 0 && !inEndings) {
            pass = 1;
            start = i + 1;
        }
        ++i;
    }
    return order;
}

}  // namespace lutavo
