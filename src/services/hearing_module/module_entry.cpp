// SPDX-License-Identifier: GPL-3.0-or-later
// The hearing module's door, looked up by name when the program first listens.

#include "services/hearing_module/hearing_module.h"

extern "C" __attribute__((visibility("default"))) lutavo::HearingModule* lutavo_hearing_module() {
    return &lutavo::builtInHearingModule();
}
