// SPDX-License-Identifier: GPL-3.0-or-later
// A session in the song editor: one of the program's sample songs opened with EDIT, then the
// input read as a run of user actions (the fourteen commands, clicks on the neck, the capo and
// the page, the capo and length scales, the song texts, undo and redo). After every action the
// song keeps within its limits, the page table agrees with the end-of-page markers, the current
// page exists and holds the cursor, no fret lies under the capo, and the song saved and read
// again has the same notes. At the end, undoing every step gives back the song's first bytes and
// redoing every step the newest, and the song prints.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/mode_bar.h"
#include "app/neck_entry.h"
#include "app/song_files.h"
#include "app/startup.h"
#include "core/guitar.h"
#include "editor/editor_commands.h"
#include "editor/song_info.h"
#include "editor/song_save.h"
#include "fuzz_scratch.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "print/print_song.h"
#include "song/fret_codes.h"
#include "song/song_reader.h"

namespace {

using namespace lutavo;

constexpr const char* kSongs[] = {"amazing_grace", "drunken_sailor", "greensleeves",
                                  "jingle_bells",  "minuet_in_g",    "moonlight_sonata",
                                  "silent_night"};

// Fewer actions than undo keeps steps, so that every step can be undone.
constexpr std::size_t kMostActions = 300;

// SAVE writes into the scratch folder.
class SavingDialogs : public fuzz::CountingDialogs {
  public:
    std::optional<std::string> saveFile(const FileDialogRequest&) override {
        return fuzz::scratchFolder() + "SAVED.SNG";
    }
};

SavingDialogs dialogs;

// Each sample song open in the editor as EDIT leaves it, made once and copied for every input.
const Guitar& opened(std::size_t song) {
    static const auto editors = [] {
        std::vector<std::unique_ptr<Guitar>> all;
        for (const char* name : kSongs) {
            auto g = std::make_unique<Guitar>();
            g->sys.dialogs = &dialogs;
            startState(*g, {LUTAVO_FUZZ_DATA_DIR, "", fuzz::scratchFolder() + "none.cfg"});
            loadsong(*g, std::string(LUTAVO_FUZZ_DATA_DIR "/songs/") + name + ".SNG");
            modeBarPress(*g, kModeBarEdit);
            if (g->app.appMode != kModeEditor || g->song.noteCount < 2)
                fuzz::broken("every sample song opens in the editor");
            all.push_back(std::move(g));
        }
        return all;
    }();
    return *editors[song % editors.size()];
}

// The input, byte by byte; zeros once it runs out.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return at_ < size_; }
    int next() { return at_ < size_ ? data_[at_++] : 0; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

enum Action : int {
    kNeckClick = kEditorCommands,
    kCapoScale,
    kLengthScale,
    kCapoPicture,
    kUndo,
    kRedo,
    kScoreClick,
    kPageScroll,
    kSongText,
    kActionCount
};

void chooseOnScale(Guitar& g, int setting, int x) {
    btnSwapper_Click(g, setting);
    PicSwapper_MouseDown(g, x);
    PicSwapper_MouseUp(g);
}

void changeText(Guitar& g, int which) {
    const std::string text = "T" + std::to_string(which);
    switch (which % 3) {
        case 0:
            txtsititle_Change(g, g.song.songTitle + text);
            break;
        case 1:
            txtsiinfo_Change(g, text);
            break;
        default:
            txtsicomp_Change(g, "");
            break;
    }
}

void act(Guitar& g, Bytes& in) {
    const int action = in.next() % kActionCount;
    if (action < kEditorCommands) {
        btnsongentry_Click(g, action);
        return;
    }
    switch (action) {
        case kNeckClick: {
            const int x = in.next() * 5 / 2;
            const int y = in.next();
            fretboard_MouseDown(g, y >= 128 ? kMouseRight : kMouseLeft, x, y % 96);
            fretboard_MouseUp(g);
            break;
        }
        case kCapoScale:
            chooseOnScale(g, kSettingCapo, in.next() * 13);
            break;
        case kLengthScale:
            chooseOnScale(g, kSettingNoteLength, in.next() * 13);
            break;
        case kCapoPicture:
            piccapo_MouseDown(g, in.next() * 6);
            piccapo_MouseUp(g);
            break;
        case kUndo:
            editorUndo(g);
            break;
        case kRedo:
            editorRedo(g);
            break;
        case kScoreClick:
            locatenote(g, in.next() * 5 / 2);
            score_MouseUp(g, in.next() * 5 / 2);  // pressed on one note, maybe let go on another
            break;
        case kPageScroll:
            pgScroll_UserScroll(g, 1 + in.next() % g.ui.pgScroll.max);
            break;
        case kSongText:
            changeText(g, in.next());
            break;
        default:
            break;
    }
}

void withinLimits(const Guitar& g) {
    const SongModel& s = g.song;
    if (s.noteCount < 1 || s.noteCount > kMaxNotes) fuzz::broken("the note count stays 1..1000");
    if (g.ui.pgScroll.max < 1 || g.ui.pgScroll.max > kMaxPages)
        fuzz::broken("the page count stays 1..29");
}

void pagesAgreeWithMarkers(const Guitar& g) {
    const SongModel& s = g.song;
    int pages = 1;
    if (s.pageStart[1] != 1) fuzz::broken("page 1 starts at note 1");
    for (int n = 1; n <= s.noteCount; ++n) {
        if (s.noteDur[n] != kEndOfPage) continue;
        if (++pages > kMaxPages) fuzz::broken("a song has at most 29 pages");
        if (s.pageStart[pages] != n + 1) fuzz::broken("each page starts after its marker");
    }
    if (g.ui.pgScroll.max != pages) fuzz::broken("the page count is the markers' count + 1");
    if (s.pageStart[pages + 1] != s.noteCount + 2)
        fuzz::broken("the page table ends after the end slot");
}

void cursorOnCurrentPage(const Guitar& g) {
    const SongModel& s = g.song;
    const TransportState& t = g.transport;
    if (t.curPage < 1 || t.curPage > g.ui.pgScroll.max) fuzz::broken("the current page exists");
    if (g.ui.pgScroll.value != t.curPage) fuzz::broken("the page shown is the current page");
    if (t.curNote < 0 || t.curNote > s.noteCount + 1) fuzz::broken("the cursor is in the song");
    if (t.curNote == 0) return;  // before the first note, on page 1's scroll position
    if (t.curNote < s.pageStart[t.curPage] || t.curNote >= s.pageStart[t.curPage + 1])
        fuzz::broken("the cursor is on the current page");
}

void noFretUnderTheCapo(const Guitar& g) {
    const SongModel& s = g.song;
    for (int n = 1; n <= s.noteCount; ++n) {
        if (isMarker(s.noteDur[n])) continue;
        for (int str = 1; str <= kStrings; ++str) {
            const int f = s.noteFret(n, str);
            if (hasFret(f) && fretOf(f) < s.capo) fuzz::broken("no fret lies under the capo");
            if (f < kMuted || f >= 2 * kHeldBase) fuzz::broken("every fret code is known");
        }
    }
}

// The notes as the file keeps them: an end-of-page marker's frets are not kept.
bool sameNote(const SongModel& s, int n, const ParsedNote& read) {
    if (read.dur != s.noteDur[n]) return false;
    if (s.noteDur[n] == kEndOfPage) return true;
    for (int str = 1; str <= kStrings; ++str) {
        if (read.frets[static_cast<std::size_t>(str - 1)] != s.noteFret(n, str)) return false;
    }
    return true;
}

void savedAndReadAlike(const Guitar& g) {
    ItemReader reader(songFileText(g));
    auto result = readSongText(reader, "SAVED.SNG");
    const auto* read = std::get_if<ParsedSong>(&result);
    if (read == nullptr) {
        std::fprintf(stderr, "fuzz: %s\n", std::get<ReadFailure>(result).message.c_str());
        fuzz::broken("the saved song can be read");
    }
    const SongModel& s = g.song;
    if (read->capo != s.capo) fuzz::broken("the capo reads back");
    if (static_cast<int>(read->notes.size()) != s.noteCount) fuzz::broken("every note reads back");
    for (int n = 1; n <= s.noteCount; ++n) {
        if (!sameNote(s, n, read->notes[static_cast<std::size_t>(n - 1)]))
            fuzz::broken("each note reads back as it was");
    }
}

void checkAfterAction(const Guitar& g) {
    withinLimits(g);
    pagesAgreeWithMarkers(g);
    cursorOnCurrentPage(g);
    noFretUnderTheCapo(g);
    savedAndReadAlike(g);
}

// The edited song prints on the sheets counted for it, every mark at a place on the paper's
// plane (a number, not infinity or NaN).
void printedAsCounted(const Guitar& g) {
    const PrintSource source = printSourceOf(g);
    const std::vector<SheetDrawing> sheets = drawSheets(source, kLetter, 1, kMaxPages);
    if (static_cast<int>(sheets.size()) != printedSheets(source, kLetter))
        fuzz::broken("a print has the sheets counted for it");
    const auto finite = [](SheetPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); };
    for (const SheetDrawing& sheet : sheets) {
        for (const SheetLine& l : sheet.lines)
            if (!finite(l.from) || !finite(l.to)) fuzz::broken("printed lines lie on the paper");
        for (const SheetShape& shape : sheet.shapes)
            for (const SheetPoint& p : shape.points)
                if (!finite(p)) fuzz::broken("printed beams and ties lie on the paper");
        for (const SheetGlyph& glyph : sheet.glyphs)
            if (!finite(glyph.at)) fuzz::broken("printed notes lie on the paper");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    // One copy assigned afresh: its pictures keep their memory from input to input.
    static const auto g = std::make_unique<Guitar>(opened(0));
    *g = opened(static_cast<std::size_t>(in.next()));
    const std::string first = songFileText(*g);
    for (std::size_t done = 0; done < kMostActions && in.more(); ++done) {
        act(*g, in);
        checkAfterAction(*g);
    }
    // Undos among the actions leave steps to redo: the newest state is past them.
    while (!g->editor.redo.empty()) {
        editorRedo(*g);
        checkAfterAction(*g);
    }
    const std::string last = songFileText(*g);
    while (!g->editor.undo.empty()) {
        editorUndo(*g);
        checkAfterAction(*g);
    }
    if (songFileText(*g) != first) fuzz::broken("undoing every step gives back the first bytes");
    while (!g->editor.redo.empty()) {
        editorRedo(*g);
        checkAfterAction(*g);
    }
    if (songFileText(*g) != last) fuzz::broken("redoing every step gives back the last bytes");
    printedAsCounted(*g);
    return 0;
}
