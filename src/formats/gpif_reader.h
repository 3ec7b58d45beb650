// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the zipped tablature files of version 7 and later (.gp): a zip archive whose score
// is an XML document, Content/score.gpif.

#include <cstddef>
#include <string_view>

#include "formats/score.h"

namespace lutavo {

inline constexpr const char* kGpifEntry = "Content/score.gpif";

// The score in such an archive, unpacking nothing beyond limit bytes; on failure the reason.
score::ReadResult readZippedTab(std::string_view archive, std::size_t limit);

// The score in the XML document itself.
score::ReadResult readGpif(std::string_view xml);

}  // namespace lutavo
