// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The process's own processor time: what a benchmark's work costs, whatever else the machine
// runs meanwhile.

#include <ctime>

namespace lutavo::bench {

inline double cpuMicros() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

}  // namespace lutavo::bench
