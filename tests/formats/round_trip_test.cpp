// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "app/song_files.h"
#include "fakes/fake_pictures.h"
#include "fakes/test_rig.h"
#include "formats/musicxml_reader.h"
#include "formats/musicxml_writer.h"
#include "formats/song_fitting.h"
#include "print/musicxml_export.h"

namespace lutavo {
namespace {

ParsedSong parse(const std::string& text) {
    ItemReader reader(text);
    auto read = readSongText(reader, "song");
    EXPECT_TRUE(std::holds_alternative<ParsedSong>(read));
    return std::get<ParsedSong>(read);
}

// The settings and the notes as memory holds them: lengths and fret codes, line ends included.
std::vector<std::string> contents(const ParsedSong& song) {
    std::vector<std::string> out;
    for (const char* key :
         {"title=", "left=", "right=", "key=", "timesig=", "tempo=", "alt=", "capo="}) {
        std::string value;
        for (const HeaderEntry& e : song.header)
            if (e.key == key) value = e.value;
        out.push_back(std::string(key) + value);
    }
    for (const ParsedNote& n : song.notes) {
        std::string line = std::to_string(n.dur);
        for (i16 f : n.frets)
            line += " " + std::to_string(f);
        out.push_back(line);
    }
    return out;
}

TEST(RoundTrip, EverySampleSongComesBackFromMusicXmlNoteForNote) {
    int songs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(test::dataFolder() + "songs")) {
        if (entry.path().extension() != ".SNG") continue;
        ++songs;
        test::Rig rig;
        test::FakePictureIO pictures;
        rig.g().sys.pictures = &pictures;
        rig.defaults();
        loadsong(rig.g(), entry.path().string());
        const auto read =
            readMusicXml(musicXmlText(rig.g().song, scoreTexts(rig.g().song, rig.g().config)));
        ASSERT_TRUE(std::holds_alternative<score::Score>(read)) << entry.path();
        const ImportedSong song = fitToSong(std::get<score::Score>(read), 0);
        EXPECT_EQ(song.parts.size(), 1u);
        EXPECT_EQ(song.lost.message(), "") << entry.path();
        EXPECT_TRUE(song.notices.empty());
        const std::string original = test::readFile(entry.path().string());
        EXPECT_EQ(contents(parse(importedSongText(song, 0, 0))), contents(parse(original)))
            << entry.path();
    }
    EXPECT_EQ(songs, 7);
}

}  // namespace
}  // namespace lutavo
