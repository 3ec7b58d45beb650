// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name shown for a track's sound: the General MIDI family of its program, the guitars one
// by one.

#include <string>

namespace lutavo {

// program 0..127 (as stored, not as numbered for people); "" when outside that.
std::string instrumentName(int program, bool drums);

}  // namespace lutavo
