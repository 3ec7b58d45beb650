// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the seed files of the import fuzz targets: the program's sample songs as MusicXML (plain
// and compressed), tablature files of every version from the test fixtures, and the tests' own
// small files. Usage: import_seeds SONG_FOLDER TEST_DATA_FOLDER SEED_FOLDER

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "formats/fixtures/gp_fixture.h"
#include "formats/fixtures/zip_fixture.h"
#include "formats/musicxml_writer.h"
#include "song/song_defaults.h"
#include "song/song_edit.h"
#include "song/song_reader.h"

namespace fs = std::filesystem;
using namespace lutavo;

namespace {

std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
}

// A sample song as MusicXML: its notes and settings through the song reader.
std::string songScore(const fs::path& song) {
    ItemReader reader(read(song));
    const auto parsed = std::get<ParsedSong>(readSongText(reader, song.string()));
    auto model = std::make_unique<SongModel>();
    setSongDefaults(*model);
    for (const HeaderEntry& e : parsed.header) {
        if (e.key == "tempo=") model->tempo = headerNumber(e.value, 1, 30);
        if (e.key == "timesig=") model->timeSig = headerNumber(e.value, 0, 5);
        if (e.key == "key=") model->songKey = headerNumber(e.value, 0, 15);
        if (e.key == "title=") model->songTitle = e.value;
    }
    model->capo = parsed.capo;
    int n = 0;
    for (const ParsedNote& note : parsed.notes)
        songedit::storeNote(*model, ++n, note.dur, note.frets, note.x);
    songedit::endSongAt(*model, n);
    return musicXmlText(*model, {});
}

test::GpSong fixtureSong(int version) {
    test::GpSong s;
    s.version = version;
    test::GpBeat tied{1, false, 0, {{5, 2, true}}};
    test::GpBeat triplet{1, false, 3, {{3, 2, false, false, true}}};
    triplet.extras = true;
    triplet.tempo = 90;
    test::GpBar bar = test::oneTrackBar({test::quarter(6, 3),
                                         {1, false, 0, {{5, 2}}},
                                         tied,
                                         triplet,
                                         {1, false, 3, {{2, 1, false, true}}},
                                         {1, false, 3, {{1, 0, false, false, false, true}}}});
    bar.repeatStart = true;
    bar.repeatClose = 1;
    s.bars = {bar, test::oneTrackBar({{-2, false, 0, {{6, 0}, {1, 0}}}})};
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const fs::path songs = argv[1], data = argv[2], seeds = argv[3];
    for (const auto& entry : fs::directory_iterator(songs)) {
        if (entry.path().extension() != ".SNG") continue;
        const std::string score = songScore(entry.path());
        const std::string name = entry.path().stem().string();
        write(seeds / "musicxml_reader" / (name + ".musicxml"), score);
        write(seeds / "musicxml_reader" / (name + ".mxl"),
              test::zipArchive({{name + ".musicxml", score}}));
    }
    write(seeds / "musicxml_reader" / "etude.musicxml", read(data / "etude.musicxml"));
    for (int version : {30, 40, 50, 51})
        write(seeds / "binary_tab_reader" / (std::to_string(version) + ".gp5"),
              test::gpFile(fixtureSong(version)));
    write(seeds / "binary_tab_reader" / "seven.gp",
          test::zipArchive({{"Content/score.gpif", read(data / "seven.gpif")}}));
    write(seeds / "text_tab_reader" / "riff.txt", read(data / "riff.txt"));
    return 0;
}
