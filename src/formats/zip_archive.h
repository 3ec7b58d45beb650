// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading entries of a zip archive held in memory (compressed MusicXML, newer tablature files).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lutavo {

// True when the bytes begin as a zip archive does.
bool looksLikeZip(std::string_view bytes);

struct ZipEntry {
    std::optional<std::string> bytes;  // nullopt: not read
    std::string why;                   // why not
};

// The names of the archive's entries, in archive order; nullopt when it is no zip archive.
std::optional<std::vector<std::string>> zipEntryNames(std::string_view archive);

// The entry of that name (compared without regard to case), read only up to limit bytes: a
// larger entry is refused before it fills memory, whatever its header claims.
ZipEntry readZipEntry(std::string_view archive, const std::string& name, std::size_t limit);

}  // namespace lutavo
