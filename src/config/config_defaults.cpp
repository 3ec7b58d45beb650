// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/config_defaults.h"

#include "core/config_state.h"

namespace lutavo {

void setConfigDefaults(ConfigState& c) {
    c = ConfigState{};
}

}  // namespace lutavo
