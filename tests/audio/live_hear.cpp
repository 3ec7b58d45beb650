// SPDX-License-Identifier: GPL-3.0-or-later
// `live_hear SECONDS`: listens to the desktop's default input as the tuner does and prints, every
// 10 ms, the milliseconds since it began listening, the level and the pitch heard (0: none).
// The first line says whether listening started.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "services/hearing/pulse_input.h"

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    lutavo::PulseInput input;
    const auto start = std::chrono::steady_clock::now();
    if (!input.startListening()) {
        std::printf("no input\n");
        return 1;
    }
    std::printf("listening\n");
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        if (ms > seconds * 1000) break;
        std::printf("%ld %.3f %.3f\n", static_cast<long>(ms), input.heardLevel(),
                    input.heardPitch());
        std::fflush(stdout);
    }
    input.stopListening();
    return 0;
}
