// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A Guitar with its defaults and a folder for song files, plus helpers that write a song file
// and load it.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/song_files.h"
#include "editor/song_save.h"
#include "fakes/fake_pictures.h"
#include "fakes/test_rig.h"

namespace lutavo::test {

using Frets = std::array<int, 6>;
inline const Frets kSilentFrets = {-1, -1, -1, -1, -1, -1};
inline const std::string kNote = "16000000000000";  // all six open strings

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
        std::string text;
        for (const auto& l : lines)
            text += l + "\r\n";
        const std::string path = dir.write(name, text);
        loadsong(g(), path);
        return path;
    }

    // The six fret codes of note n, lowest string first.
    Frets frets(int n) {
        Frets out{};
        for (int s = 1; s <= 6; ++s)
            out[s - 1] = song().noteFret(n, s);
        return out;
    }

    Rig rig;
    FakePictureIO pictures;
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
