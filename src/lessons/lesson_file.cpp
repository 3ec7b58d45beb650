// SPDX-License-Identifier: GPL-3.0-or-later
#include "lessons/lesson_file.h"

namespace lutavo {

namespace {

constexpr const char* kLessonMark = "lutavo";

}  // namespace

std::variant<LessonScript, ReadFailure> readLessonText(ItemReader& reader,
                                                       const std::string& fileName) {
    const std::optional<std::string> first = reader.next();
    // Unlike a song, a lesson is recognised only by the exact first item.
    if (!first || *first != kLessonMark) return ReadFailure{"Invalid format: " + fileName};
    LessonScript script;
    while (std::optional<std::string> item = reader.next()) {
        if (item->empty()) continue;
        if (static_cast<int>(script.frames.size()) == kMaxLessonFrames) {
            return ReadFailure{"The lesson " + fileName + " has more than " +
                               std::to_string(kMaxLessonFrames) +
                               " frames, the most a lesson can hold."};
        }
        script.frames.push_back(std::move(*item));
    }
    return script;
}

FrameCommand splitFrame(std::string_view frame) {
    const std::size_t eq = frame.find('=');
    if (eq == std::string_view::npos) return {};
    return {frame.substr(0, eq + 1), frame.substr(eq + 1)};
}

}  // namespace lutavo
