// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a lesson file into a LessonScript, checked whole before anything of the window
// changes: a file that cannot be used is refused with a message and the state stays.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/item_reader.h"
#include "core/app_state.h"
#include "song/song_reader.h"

namespace lutavo {

// The frames of a lesson in order, each one command ("key=value").
struct LessonScript {
    std::vector<std::string> frames;
};

// Reads a whole lesson file; fileName is used only in messages.
std::variant<LessonScript, ReadFailure> readLessonText(ItemReader& reader,
                                                       const std::string& fileName);

// A frame split at its first "=": the key keeps the "=", the value is the rest. A frame without
// "=" has no key.
struct FrameCommand {
    std::string_view key;
    std::string_view value;
};
FrameCommand splitFrame(std::string_view frame);

}  // namespace lutavo
