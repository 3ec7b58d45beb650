// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/zip_archive.h"

#include <unzip.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

namespace lutavo {

namespace {

constexpr std::size_t kNameBytes = 1024;
constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kMaxEntries = 10000;

// The archive's bytes as a file the unzipper reads through its callbacks.
struct MemoryFile {
    std::string_view bytes;
    std::size_t pos = 0;
};

voidpf openMemory(voidpf opaque, const void*, int) {
    static_cast<MemoryFile*>(opaque)->pos = 0;
    return opaque;
}

uLong readMemory(voidpf, voidpf stream, void* buf, uLong size) {
    auto* f = static_cast<MemoryFile*>(stream);
    const std::size_t n = std::min<std::size_t>(size, f->bytes.size() - f->pos);
    std::memcpy(buf, f->bytes.data() + f->pos, n);
    f->pos += n;
    return static_cast<uLong>(n);
}

uLong writeMemory(voidpf, voidpf, const void*, uLong) {
    return 0;
}

ZPOS64_T tellMemory(voidpf, voidpf stream) {
    return static_cast<MemoryFile*>(stream)->pos;
}

long seekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* f = static_cast<MemoryFile*>(stream);
    ZPOS64_T base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = f->pos;
    if (origin == ZLIB_FILEFUNC_SEEK_END) base = f->bytes.size();
    if (offset > f->bytes.size() || base + offset > f->bytes.size()) return -1;
    f->pos = static_cast<std::size_t>(base + offset);
    return 0;
}

int closeMemory(voidpf, voidpf) {
    return 0;
}

int errorMemory(voidpf, voidpf) {
    return 0;
}

struct Closer {
    void operator()(void* zip) const { unzClose(zip); }
};
using ZipHandle = std::unique_ptr<void, Closer>;

ZipHandle openArchive(MemoryFile& file) {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = openMemory;
    functions.zread_file = readMemory;
    functions.zwrite_file = writeMemory;
    functions.ztell64_file = tellMemory;
    functions.zseek64_file = seekMemory;
    functions.zclose_file = closeMemory;
    functions.zerror_file = errorMemory;
    functions.opaque = &file;
    return ZipHandle(unzOpen2_64(&file, &functions));
}

std::string currentName(void* zip) {
    char name[kNameBytes] = {};
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(zip, &info, name, sizeof name - 1, nullptr, 0, nullptr, 0) !=
        UNZ_OK) {
        return {};
    }
    return name;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Moves to the entry named name; false when there is none.
bool findEntry(void* zip, const std::string& name) {
    int status = unzGoToFirstFile(zip);
    for (std::size_t i = 0; status == UNZ_OK && i < kMaxEntries; ++i) {
        if (sameName(currentName(zip), name)) return true;
        status = unzGoToNextFile(zip);
    }
    return false;
}

}  // namespace

bool looksLikeZip(std::string_view bytes) {
    return bytes.size() >= 4 && bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4);
}

std::optional<std::vector<std::string>> zipEntryNames(std::string_view archive) {
    MemoryFile file{archive};
    const ZipHandle zip = openArchive(file);
    if (!zip) return std::nullopt;
    std::vector<std::string> names;
    int status = unzGoToFirstFile(zip.get());
    while (status == UNZ_OK && names.size() < kMaxEntries) {
        names.push_back(currentName(zip.get()));
        status = unzGoToNextFile(zip.get());
    }
    return names;
}

ZipEntry readZipEntry(std::string_view archive, const std::string& name, std::size_t limit) {
    MemoryFile file{archive};
    const ZipHandle zip = openArchive(file);
    if (!zip) return {std::nullopt, "it is not a readable zip archive"};
    if (!findEntry(zip.get(), name)) return {std::nullopt, "the archive holds no " + name};
    if (unzOpenCurrentFile(zip.get()) != UNZ_OK) {
        return {std::nullopt, "its " + name + " cannot be unpacked"};
    }
    std::string bytes;
    std::string chunk(kChunk, '\0');
    for (;;) {
        const int n = unzReadCurrentFile(zip.get(), chunk.data(), static_cast<unsigned>(kChunk));
        if (n < 0) {
            unzCloseCurrentFile(zip.get());
            return {std::nullopt, "its " + name + " is damaged"};
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            unzCloseCurrentFile(zip.get());
            return {std::nullopt, "its " + name + " unpacks to more than " +
                                      std::to_string(limit / (1024 * 1024)) + " MB"};
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(n));
    }
    // A wrong checksum shows only when the entry is closed.
    if (unzCloseCurrentFile(zip.get()) != UNZ_OK)
        return {std::nullopt, "its " + name + " is damaged"};
    return {std::move(bytes), ""};
}

}  // namespace lutavo
