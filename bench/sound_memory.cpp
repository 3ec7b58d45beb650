// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's live sound holds in memory and how long it takes to come up, step by step as
// the window opens it after its first paint: the sound module's file with the libraries it
// brings, then the stream, the synthesizer and its sound font (loaded on their own thread, waited
// for here). Run in a process of its own, so that what each step adds is the sound's alone.
//
//   sound_memory MODULE.so
//
// Prints per step the wall time it took and the resident memory it added, then the process's
// peak, all as the kernel counts them. LUTAVO_SOUNDFONT chooses the font as in the program
// (/dev/null: the synthesizer without one). startup_timing.py runs it beside its own figures.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "platform/sound_clock.h"
#include "services/sound_module/sound_module.h"

namespace lutavo::bench {
namespace {

// A line of /proc/self/status in KiB, such as "VmRSS" or "VmHWM".
long statusKib(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) != 0) continue;
        long kib = 0;
        std::istringstream(line.substr(field.size() + 1)) >> kib;
        return kib;
    }
    return 0;
}

class Steps {
  public:
    Steps() : rss_(statusKib("VmRSS")), at_(std::chrono::steady_clock::now()) {
        std::printf("%-34s %8s %10.1f MiB\n", "before", "", mib(rss_));
    }
    void done(const char* what) {
        const long rss = statusKib("VmRSS");
        const auto now = std::chrono::steady_clock::now();
        const double ms = std::chrono::duration<double, std::milli>(now - at_).count();
        std::printf("%-34s %6.1f ms %+9.1f MiB\n", what, ms, mib(rss - rss_));
        rss_ = rss;
        at_ = now;
    }
    static double mib(long kib) { return static_cast<double>(kib) / 1024.0; }

  private:
    long rss_;
    std::chrono::steady_clock::time_point at_;
};

int run(const char* modulePath) {
    Steps steps;
    std::string problem;
    SoundModule* module = openSoundModule(modulePath, problem);
    if (module == nullptr) {
        std::fprintf(stderr, "sound_memory: %s\n", problem.c_str());
        return 1;
    }
    steps.done("module and its libraries");
    SoundClock clock;
    std::ostringstream complaints;
    auto live = module->openLive(&clock, complaints);
    // Asked through the module's own door, which waits for the font.
    const bool synthesizer = live->midi().synthesizerLive();
    steps.done(synthesizer ? "stream, synthesizer and font" : "stream and synthesizer, no font");
    std::printf("%-34s %8s %10.1f MiB\n", "peak", "", Steps::mib(statusKib("VmHWM")));
    if (!complaints.str().empty()) std::fprintf(stderr, "%s", complaints.str().c_str());
    return 0;
}

}  // namespace
}  // namespace lutavo::bench

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sound_memory MODULE.so\n");
        return 2;
    }
    return lutavo::bench::run(argv[1]);
}
