// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/fluidsynth/sound_font.h"

#include <dlfcn.h>
#include <fluidsynth.h>

#include <array>
#include <cstdlib>
#include <filesystem>

namespace lutavo {

std::string findSoundFont() {
    if (const char* chosen = std::getenv("LUTAVO_SOUNDFONT"); chosen != nullptr && *chosen != 0)
        return chosen;
    static constexpr std::array kCandidates = {
        "/usr/share/sounds/sf2/TimGM6mb.sf2",
        "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/soundfonts/default.sf2",
    };
    std::error_code error;
    for (const char* path : kCandidates)
        if (std::filesystem::is_regular_file(path, error)) return path;
    return {};
}

namespace {

using AlsaErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void dropAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void quietSoundLibraries() {
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
    // The ALSA library is loaded with the synthesizer and the MIDI ports; it is looked up
    // rather than linked so the program does not depend on it directly.
    void* setter = dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler");
    if (setter != nullptr) reinterpret_cast<SetAlsaErrorHandler>(setter)(dropAlsaError);
}

}  // namespace lutavo
