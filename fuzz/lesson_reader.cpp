// SPDX-License-Identifier: GPL-3.0-or-later
// The lesson reader, fed any bytes as a lesson file's text; every frame is split as the player
// splits it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

#include "fuzz_scratch.h"
#include "lessons/lesson_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lutavo;
    ItemReader reader(std::string(reinterpret_cast<const char*>(data), size));
    const auto result = readLessonText(reader, "fuzz.LSN");
    if (const auto* lesson = std::get_if<LessonScript>(&result)) {
        for (const std::string& frame : lesson->frames) {
            const FrameCommand command = splitFrame(frame);
            if (command.key.size() + command.value.size() > frame.size())
                fuzz::broken("a frame's key and value lie within the frame");
        }
    } else if (std::get<ReadFailure>(result).message.empty()) {
        fuzz::broken("a refused lesson says why");
    }
    return 0;
}
