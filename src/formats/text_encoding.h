// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The song keeps its texts in UTF-8; files from elsewhere may hold the Western single-byte code
// page instead.

#include <string>
#include <string_view>

namespace lutavo {

// Each byte as the character of the Western code page; the text ends at a zero byte.
std::string latin1ToUtf8(std::string_view text);

// The text as it stands when it is UTF-8, else read as the Western code page: a file written by
// an older editor has its accented letters as single bytes.
std::string utf8OrLatin1(std::string_view text);

}  // namespace lutavo
