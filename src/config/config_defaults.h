// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lutavo {

struct ConfigState;

// The configuration in force before the file is read, and when there is none.
void setConfigDefaults(ConfigState& c);

}  // namespace lutavo
