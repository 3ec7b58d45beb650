#pragma once
// A Guitar with its defaults and a folder for song files, plus helpers that write a song file
// and load it.

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "app/song_files.h"
#include "fakes/test_rig.h"
#include "platform/picture.h"

namespace lutavo::test {

// Picture files held in memory by path.
class PictureFiles : public PictureIO {
  public:
    bool load(const std::string& path, Picture& out) override {
        loads.push_back(path);
        auto it = files.find(path);
        if (it == files.end()) return false;
        out = it->second;
        return true;
    }
    bool save(const std::string& path, const Picture& picture) override {
        files[path] = picture;
        return true;
    }
    std::map<std::string, Picture> files;
    std::vector<std::string> loads;
};

class SongTest : public ::testing::Test {
  protected:
    SongTest() {
        rig.g().sys.pictures = &pictures;
        rig.defaults();
        // Only what a song load says matters here, not the start-up's missing pictures.
        rig.dialogs.messages.clear();
    }

    Guitar& g() { return rig.g(); }
    SongModel& song() { return rig.g().song; }

    // Writes lines joined with CR LF to name in the test folder and loads it.
    std::string load(const std::vector<std::string>& lines, const std::string& name = "TEST.SNG") {
        const std::string path = write(lines, name);
        loadsong(g(), path);
        return path;
    }

    std::string write(const std::vector<std::string>& lines, const std::string& name) {
        std::string text;
        for (const auto& l : lines)
            text += l + "\r\n";
        return dir.write(name, text);
    }

    // The six fret codes of note n, lowest string first.
    std::array<int, 6> frets(int n) {
        std::array<int, 6> out{};
        for (int s = 1; s <= 6; ++s)
            out[s - 1] = song().noteFret(n, s);
        return out;
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> out;
        for (const auto& m : rig.dialogs.messages)
            out.push_back(m.text);
        return out;
    }

    Rig rig;
    PictureFiles pictures;
    TempDir dir;
};

// A current-format file with the given header lines and note lines.
inline std::vector<std::string> songLines(const std::vector<std::string>& header,
                                          const std::vector<std::string>& notes) {
    std::vector<std::string> lines = {"lutavo3"};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.push_back("");
    lines.insert(lines.end(), notes.begin(), notes.end());
    return lines;
}

}  // namespace lutavo::test
