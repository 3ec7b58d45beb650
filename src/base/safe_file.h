#pragma once
// Writing a whole file so that no failure or crash can leave it torn: the text goes to a
// temporary file beside the target, is flushed to the disk and renamed over the target.

#include <string>
#include <string_view>

namespace lutavo {

// Writes text to fileName. A symbolic link is written through to the file it names, and an
// existing file keeps its permission bits. The temporary file is hidden and named after the
// target (".NAME.saving-N"), unique to this save; ones left behind by a save that was killed
// are removed by the next save of the same file. False when the file was not written; any old
// file is then whole.
bool writeFileSafely(const std::string& fileName, const std::string& text);

// True for a bare file name (no folder, no "..", not empty): what a song or lesson may name, so
// that it can only reach files in the folder it is looked up in.
bool isPlainFileName(std::string_view name);

// True when both paths name one existing file (through links too).
bool sameFile(const std::string& a, const std::string& b);

}  // namespace lutavo
