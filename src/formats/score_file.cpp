// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/score_file.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "formats/gp_reader.h"
#include "formats/gpif_reader.h"
#include "formats/musicxml_reader.h"
#include "formats/text_tab_reader.h"
#include "formats/zip_archive.h"

namespace lutavo {

namespace {

enum class Kind { BinaryTab, ZippedTab, OldZippedTab, MusicXml, CompressedXml, TextTab, None };

struct Ending {
    const char* ext;
    Kind kind;
};

constexpr std::array<Ending, 10> kEndings = {{{".gp3", Kind::BinaryTab},
                                              {".gp4", Kind::BinaryTab},
                                              {".gp5", Kind::BinaryTab},
                                              {".gp", Kind::ZippedTab},
                                              {".gpx", Kind::OldZippedTab},
                                              {".musicxml", Kind::MusicXml},
                                              {".xml", Kind::MusicXml},
                                              {".mxl", Kind::CompressedXml},
                                              {".txt", Kind::TextTab},
                                              {".tab", Kind::TextTab}}};

Kind kindOf(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const Ending& e : kEndings)
        if (ext == e.ext) return e.kind;
    return Kind::None;
}

score::ReadResult refuse(const std::string& path, const std::string& why) {
    return score::ImportFailure{"The file " + path + " cannot be imported: " + why + "."};
}

// What the bytes look like, for a message when they are not what the name says.
std::string lookOf(std::string_view bytes) {
    if (looksLikeBinaryTab(bytes)) return "a tablature file of version 3 to 5";
    if (looksLikeZip(bytes)) return "a zip archive";
    const std::size_t first = bytes.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string_view::npos && bytes[first] == '<') return "XML";
    return "";
}

score::ReadResult mismatch(const std::string& path, std::string_view bytes, const char* expected) {
    const std::string look = lookOf(bytes);
    return refuse(path, std::string("it is not ") + expected +
                            (look.empty() ? "" : " (it looks like " + look + ")"));
}

bool isOldZippedTab(std::string_view bytes) {
    return bytes.substr(0, 4) == "BCFZ" || bytes.substr(0, 4) == "BCFS";
}

constexpr const char* kVersionSix =
    "tablature files of version 6 (.gpx) are packed in a way Lutavo cannot read; save the piece "
    "as version 5 (.gp5) or as MusicXML";

score::ReadResult dispatch(std::string_view bytes, const std::string& path, Kind kind) {
    switch (kind) {
        case Kind::BinaryTab:
            if (!looksLikeBinaryTab(bytes))
                return mismatch(path, bytes, "a tablature file of version 3, 4 or 5");
            return readBinaryTab(bytes);
        case Kind::ZippedTab:
            if (isOldZippedTab(bytes)) return score::ImportFailure{kVersionSix};
            if (!looksLikeZip(bytes))
                return mismatch(path, bytes, "a zipped tablature file of version 7 or later");
            return readZippedTab(bytes, kMaxImportBytes);
        case Kind::OldZippedTab:
            return score::ImportFailure{kVersionSix};
        case Kind::MusicXml:
            if (lookOf(bytes) != "XML") return mismatch(path, bytes, "a MusicXML score");
            return readMusicXml(bytes);
        case Kind::CompressedXml:
            if (!looksLikeZip(bytes)) return mismatch(path, bytes, "a compressed MusicXML score");
            return readCompressedMusicXml(bytes, kMaxImportBytes);
        case Kind::TextTab:
            if (!lookOf(bytes).empty()) return mismatch(path, bytes, "text");
            return readTextTab(bytes);
        case Kind::None:
            break;
    }
    return score::ImportFailure{"Lutavo does not import files of this kind"};
}

}  // namespace

std::string importPatterns() {
    std::string patterns;
    for (const Ending& e : kEndings) {
        if (e.kind == Kind::OldZippedTab) continue;
        if (!patterns.empty()) patterns += " ";
        patterns += std::string("*") + e.ext;
    }
    return patterns;
}

bool isImportName(const std::string& path) {
    return kindOf(path) != Kind::None;
}

score::ReadResult readScoreBytes(std::string_view bytes, const std::string& path) {
    if (bytes.size() > kMaxImportBytes) {
        return refuse(
            path, "it is larger than " + std::to_string(kMaxImportBytes / (1024 * 1024)) + " MB");
    }
    score::ReadResult result = dispatch(bytes, path, kindOf(path));
    if (auto* failure = std::get_if<score::ImportFailure>(&result)) {
        if (failure->message.rfind("The file ", 0) != 0) return refuse(path, failure->message);
    }
    return result;
}

score::ReadResult readScoreFile(const std::string& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) return refuse(path, "it cannot be read");
    if (size > kMaxImportBytes) {
        return refuse(
            path, "it is larger than " + std::to_string(kMaxImportBytes / (1024 * 1024)) + " MB");
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!in.read(bytes.data(), static_cast<std::streamsize>(size))) {
        return refuse(path, "it cannot be read");
    }
    return readScoreBytes(bytes, path);
}

}  // namespace lutavo
