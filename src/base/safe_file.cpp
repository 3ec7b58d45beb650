#include "base/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>

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

bool writeAll(int fd, const std::string& text) {
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

bool writeFileSafely(const std::string& fileName, const std::string& text) {
    const fs::path target = throughLinks(fileName);
    removeStaleTemporaries(target);
    fs::path tmp;
    const int fd = createTemporary(target, tmp);
    if (fd < 0) return false;
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    std::error_code ec;
    if (!written || !closed) {
        fs::remove(tmp, ec);
        return false;
    }
    fs::rename(tmp, target, ec);
    if (ec) {
        fs::remove(tmp, ec);
        return false;
    }
    syncFolder(target);
    return true;
}

bool isPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace lutavo
