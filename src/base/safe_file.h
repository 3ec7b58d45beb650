// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a whole file so that no failure or crash can leave it torn: the text goes to a
// temporary file beside the target, is flushed to the disk and renamed over the target.

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace lutavo {

// What writing a whole file came to: true, or false with why not in words for the user.
struct WriteResult {
    std::string problem;  // empty when the file was written
    explicit operator bool() const { return problem.empty(); }
};

// Writes text to fileName. A symbolic link is written through to the file it names, and an
// existing file keeps its permission bits; a name that stands for anything but a regular file
// (a folder, a device, a pipe) is refused. The temporary file is hidden and named after the
// target (".NAME.saving-N"), unique to this save; ones left behind by a save that was killed
// are removed by the next save of the same file. When the file was not written, any old file is
// whole.
WriteResult writeFileSafely(const std::string& fileName, std::string_view text);
// The same, the file's text given in parts one after the other.
WriteResult writeFileSafely(const std::string& fileName,
                            std::initializer_list<std::string_view> parts);

// A file written in pieces as writeFileSafely writes a whole one: the pieces go to the hidden
// temporary file, and only commit puts it in the target's place. A writer ended without a
// commit removes its temporary file, the old file left whole.
class SafeFileWriter {
  public:
    explicit SafeFileWriter(const std::string& fileName);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Whether the pieces can still be written; problem() says why not.
    explicit operator bool() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }

    // Adds a piece at the end; false once anything failed.
    bool append(std::string_view piece);
    // Flushes the pieces to the disk and renames them over the target.
    WriteResult commit();

  private:
    std::filesystem::path target_;
    std::filesystem::path tmp_;
    int fd_ = -1;
    std::string problem_;
};

// True for a bare file name (no folder, no "..", not empty): what a song or lesson may name, so
// that it can only reach files in the folder it is looked up in.
bool isPlainFileName(std::string_view name);

// True for a relative path that stays inside the folder it is looked up in ("lessons/one.SNG"):
// not empty, no leading "/", no ".." part, no backslash.
bool staysInFolder(std::string_view name);

// True when both paths name one existing file (through links too).
bool sameFile(const std::string& a, const std::string& b);

// Why path names no regular file, to end a sentence ("is a folder"); "" when it names one.
std::string whyNotAFile(const std::string& path);

// Why a file of a kind ("song", "lesson") could not be opened: "No song file was named.", "The
// song file NAME is not a regular file." and the like.
std::string notOpenedMessage(const std::string& kind, const std::string& path);

}  // namespace lutavo
