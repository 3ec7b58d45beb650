// SPDX-License-Identifier: GPL-3.0-or-later
// The whole path of a user's song: loaded into a started program, every page laid out and drawn
// with the program's own pictures, exported as MIDI, saved, and loaded again. A refused file
// leaves a message and the old song; the saved notes read back as they were loaded; a second save
// writes the same bytes as the first.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/song_files.h"
#include "app/startup.h"
#include "core/guitar.h"
#include "display/page_render.h"
#include "editor/song_save.h"
#include "fuzz_scratch.h"
#include "playback/midi_file.h"
#include "playback/performance.h"
#include "playback/performer.h"
#include "services/qt/qt_picture_io.h"

namespace {

using namespace lutavo;

// Each picture file is read from disk once; after that the copy in memory is handed out.
class RememberedPictures : public PictureIO {
  public:
    bool load(const std::string& path, Picture& out) override {
        auto known = files_.find(path);
        if (known == files_.end()) {
            Picture read;
            const bool ok = disk_.load(path, read);
            known = files_.emplace(path, ok ? read : Picture()).first;
        }
        if (known->second.empty()) return false;
        out = known->second;
        return true;
    }
    bool save(const std::string&, const Picture&) override { return false; }

  private:
    QtPictureIO disk_;
    std::map<std::string, Picture> files_;
};

RememberedPictures pictures;
fuzz::CountingDialogs dialogs;

// The program as start-up leaves it, made once and copied for every input.
const Guitar& started() {
    static const auto g = [] {
        auto fresh = std::make_unique<Guitar>();
        fresh->sys.dialogs = &dialogs;
        fresh->sys.pictures = &pictures;
        startState(*fresh, {LUTAVO_FUZZ_DATA_DIR, "", fuzz::scratchFolder() + "none.cfg"});
        loadsong(*fresh, LUTAVO_FUZZ_DATA_DIR "/songs/greensleeves.SNG");
        // A missing picture would be reported: every page is drawn with the real ones.
        if (dialogs.messages != 0 || fresh->display.picscore.empty())
            fuzz::broken("the program starts with all its pictures");
        if (fresh->song.noteCount < 1) fuzz::broken("the program's own song loads");
        return fresh;
    }();
    return *g;
}

struct Notes {
    std::vector<int> values;  // the count, then each note's length and frets
    bool operator==(const Notes&) const = default;
};

Notes notesOf(const SongModel& s) {
    Notes n;
    n.values.push_back(s.noteCount);
    for (int i = 1; i <= s.noteCount; ++i) {
        n.values.push_back(s.noteDur[i]);
        for (int string = 1; string <= kStrings; ++string)
            n.values.push_back(s.noteFret(i, string));
    }
    return n;
}

// What the rest of the program relies on of any song it has loaded; 47 is the highest fret a
// note may name with the capo at its highest.
bool withinLimits(const Guitar& g) {
    const SongModel& s = g.song;
    if (s.noteCount > kMaxNotes || g.ui.pgScroll.max > kMaxPages || s.tempo < 1 || s.tempo > 30)
        return false;
    for (int i = 1; i <= s.noteCount; ++i) {
        if (s.noteDur[i] == kLineMarker) continue;  // its first slot is a position
        for (int string = 1; string <= kStrings; ++string)
            if (s.noteFret(i, string) < kMuted || s.noteFret(i, string) > 47) return false;
    }
    return true;
}

std::unique_ptr<Guitar> load(const std::string& path) {
    auto g = std::make_unique<Guitar>(started());
    dialogs.messages = 0;
    loadsong(*g, path);
    return g;
}

void drawEveryPage(Guitar& g) {
    for (int page = 1; page <= g.ui.pgScroll.max; ++page) {
        g.ui.pgScroll.value = page;
        pgScroll_Change(g);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Notes old = notesOf(started().song);
    const std::string input = fuzz::writeScratch("input.SNG", data, size);
    const auto g = load(input);
    if (g->song.songFile != input) {
        if (dialogs.messages == 0) fuzz::broken("a refused song is reported");
        if (!(notesOf(g->song) == old)) fuzz::broken("a refused song leaves the old one");
        return 0;
    }
    if (!withinLimits(*g)) fuzz::broken("a loaded song keeps within the song model's limits");
    drawEveryPage(*g);
    const SoundRecording played = recordingOf(performance(g->song, liveSettings(*g)), std::nullopt);
    if (!writeMidiFile(fuzz::scratchFolder() + "export.mid", played.messages))
        fuzz::broken("the MIDI export is written");
    const std::string first = fuzz::scratchFolder() + "first.SNG";
    if (!savesong(*g, first)) fuzz::broken("the song is saved");
    const auto again = load(first);
    if (again->song.songFile != first) fuzz::broken("a saved song loads");
    if (!(notesOf(again->song) == notesOf(g->song)))
        fuzz::broken("the saved notes read back as they were loaded");
    const std::string second = fuzz::scratchFolder() + "second.SNG";
    if (!savesong(*again, second)) fuzz::broken("the song is saved again");
    if (fuzz::readWhole(first) != fuzz::readWhole(second))
        fuzz::broken("a second save writes the same bytes as the first");
    return 0;
}
