// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>

namespace lutavo {

namespace fs = std::filesystem;

namespace {

// A temporary file older than this is no save in progress but one that was killed.
constexpr auto kStaleAge = std::chrono::minutes(1);

// The file a name finally stands for: links followed, relative ones from their own folder.
fs::path throughLinks(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(path, ec); ++hops) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

std::string temporaryPrefix(const fs::path& target) {
    return "." + target.filename().string() + ".saving-";
}

void removeStaleTemporaries(const fs::path& target) {
    std::error_code ec;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string prefix = temporaryPrefix(target);
    const auto now = fs::file_time_type::clock::now();
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0) continue;
        const auto written = fs::last_write_time(entry.path(), ec);
        if (!ec && now - written > kStaleAge) fs::remove(entry.path(), ec);
    }
}

bool writeAll(int fd, std::string_view text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Flushes the folder's entry of a file just renamed into it, so the rename survives too.
void syncFolder(const fs::path& target) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// A device or a pipe would be replaced by a plain file; a folder cannot be.
bool namesOtherThanFile(const fs::path& target) {
    struct stat st {};
    return ::stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

// Creates the unique temporary file, with the target's permission bits when it exists.
int createTemporary(const fs::path& target, fs::path& tmp) {
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    std::random_device rd;
    for (int attempt = 0; attempt < 20; ++attempt) {
        tmp = target.parent_path() / (temporaryPrefix(target) + std::to_string(rd()));
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (exists) ::fchmod(fd, old.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

}  // namespace

WriteResult writeFileSafely(const std::string& fileName, std::string_view text) {
    return writeFileSafely(fileName, {text});
}

WriteResult writeFileSafely(const std::string& fileName,
                            std::initializer_list<std::string_view> parts) {
    SafeFileWriter file(fileName);
    for (const std::string_view part : parts)
        file.append(part);
    return file.commit();
}

SafeFileWriter::SafeFileWriter(const std::string& fileName) : target_(throughLinks(fileName)) {
    if (namesOtherThanFile(target_)) {
        problem_ = "not a regular file";
        return;
    }
    removeStaleTemporaries(target_);
    fd_ = createTemporary(target_, tmp_);
    if (fd_ >= 0) return;
    problem_ = std::strerror(errno);
    tmp_.clear();  // a name tried and found taken is someone else's file
}

SafeFileWriter::~SafeFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    std::error_code ec;
    if (!tmp_.empty()) fs::remove(tmp_, ec);
}

bool SafeFileWriter::append(std::string_view piece) {
    if (!problem_.empty()) return false;
    if (!writeAll(fd_, piece)) problem_ = std::strerror(errno);
    return problem_.empty();
}

WriteResult SafeFileWriter::commit() {
    if (problem_.empty() && ::fsync(fd_) != 0) problem_ = std::strerror(errno);
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && ::close(fd) != 0 && problem_.empty()) problem_ = std::strerror(errno);
    if (!problem_.empty()) return {problem_};
    std::error_code ec;
    fs::rename(tmp_, target_, ec);
    if (ec) return {problem_ = ec.message()};
    tmp_.clear();
    syncFolder(target_);
    return {};
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

bool staysInFolder(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.find('\\') != std::string_view::npos)
        return false;
    for (std::size_t start = 0; start <= name.size();) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (name.substr(start, end - start) == "..") return false;
        start = end + 1;
    }
    return true;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

std::string whyNotAFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_regular_file(status)) return "";
    if (fs::is_directory(status)) return "is a folder";
    if (fs::exists(status)) return "is not a regular file";
    if (fs::is_symlink(fs::symlink_status(path, ec)))
        return "is a link to a file that is not there";
    return "does not exist";
}

std::string notOpenedMessage(const std::string& kind, const std::string& path) {
    if (path.empty()) return "No " + kind + " file was named.";
    const std::string why = whyNotAFile(path);
    return "The " + kind + " file " + path + " " + (why.empty() ? "cannot be read" : why) + ".";
}

}  // namespace lutavo
