// SPDX-License-Identifier: GPL-3.0-or-later
// The sound module's door, looked up by name when the program opens the module.

#include "services/sound_module/sound_module.h"

extern "C" __attribute__((visibility("default"))) lutavo::SoundModule* lutavo_sound_module() {
    return &lutavo::builtInSoundModule();
}
