// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_commands.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "display/page_layout.h"
#include "display/page_render.h"
#include "display/scrolling.h"
#include "editor/song_info.h"
#include "editor/song_save.h"
#include "editor/undo.h"
#include "playback/performer.h"
#include "playback/settings_adjuster.h"
#include "playback/transport.h"
#include "song/fret_codes.h"
#include "song/song_edit.h"

namespace lutavo {

namespace {

namespace ed = songedit;

// Triplet lengths: triplet eighths under a quarter, triplet quarters from a quarter up.
constexpr int kTripletEighth = 5;
constexpr int kTripletQuarter = 11;

int chosenLength(const SongModel& song, const PlaybackState& playback) {
    return song.durValue[clampTo(playback.swapperPos, 1, kNoteLengthSlots)];
}

int pageCount(const WindowControls& ui) {
    return ui.pgScroll.max;
}

void setPageCount(WindowControls& ui, int pages) {
    ui.pgScroll.max = pages;
    ui.scrollpanel.visible = pages > 1;
}

// A marked range put in order: a click on the page before the mark's start can reverse it.
std::pair<int, int> markedRange(const EditorState& editor) {
    const int a = editor.markStart;
    const int b = editor.markEnd;
    return {std::min(a, b), std::max(a, b)};
}

// The cursor is on a note of the song, not before the first or in the end slot.
bool onNote(const TransportState& transport, const SongModel& song) {
    return transport.curNote >= 1 && transport.curNote <= song.noteCount;
}

void insertNote(Guitar& g) {
    auto& s = g.song;
    if (s.noteCount >= kMaxNotes || isPlaying(g)) return;
    if (g.transport.curNote == 0) g.transport.curNote = 1;
    if (!ed::openSlot(s, g.transport.curNote)) return;
    ed::setNoteCount(s, s.noteCount + 1);
    ed::setAllFrets(s, g.transport.curNote, kSilent);
    ed::setLength(s, g.transport.curNote, chosenLength(g.song, g.playback));
    rebuildPageTable(g);
    presentNote(g, kShowOnly);
}

// Held notes that continue the current note on a string go with it.
void silenceContinuations(SongModel& song, TransportState& transport) {
    auto& s = song;
    const int n = transport.curNote;
    for (int str = 1; str <= kStrings; ++str) {
        const int f = s.noteFret(n, str);
        if (!isStruck(f)) continue;
        for (int j = n; j < s.noteCount && s.noteFret(j + 1, str) == heldCode(f); ++j)
            ed::setFret(s, j + 1, str, kSilent);
    }
}

// A deleted marker joins the page after it to its own.
void deleteOne(Guitar& g) {
    auto& s = g.song;
    silenceContinuations(g.song, g.transport);
    ed::deleteSlots(s, g.transport.curNote, g.transport.curNote);
    if (s.noteCount < g.transport.curNote) g.transport.curNote = s.noteCount;
    rebuildPageTable(g);
    if (s.noteDur[g.transport.curNote] < kEndOfPage) presentNote(g, kSound);
}

void emptyOnlyNote(Guitar& g) {
    auto& s = g.song;
    ed::setNoteCount(s, 1);
    ed::setAllFrets(s, 1, kSilent);
    ed::setLength(s, 1, chosenLength(g.song, g.playback));
}

void deleteMarked(Guitar& g) {
    auto& s = g.song;
    const auto [first, last] = markedRange(g.editor);
    const int end = std::min(last, static_cast<int>(s.noteCount));
    if (first < 1 || end < first) return;
    ed::deleteSlots(s, first, end);
    // A song keeps one note, as DEL of the only note leaves it.
    if (s.noteCount == 0) emptyOnlyNote(g);
    g.transport.curNote =
        static_cast<i16>(clampTo(g.transport.curNote - (end - first), 1, s.noteCount));
    ed::endSongAt(s, s.noteCount);
    clearMark(g.editor);
    rebuildPageTable(g);
}

void deleteNote(Guitar& g) {
    auto& s = g.song;
    // The end slot after the last note is no note: there is nothing to delete.
    if (!onNote(g.transport, g.song) || isPlaying(g)) return;
    if (s.noteCount == 1) {
        emptyOnlyNote(g);
        rebuildPageTable(g);
    } else if (g.editor.markStart < 1) {
        deleteOne(g);
    } else {
        deleteMarked(g);
    }
}

// TIE and BEND put a copy of the current note after it, each string changed by code(). A
// marker is no note to hold or bend: a copy of it would be a second marker.
template <typename Code>
bool insertAfter(Guitar& g, Code code) {
    auto& s = g.song;
    const int n = g.transport.curNote;
    if (!onNote(g.transport, g.song) || isMarker(s.noteDur[n]) || s.noteCount >= kMaxNotes ||
        isPlaying(g))
        return false;
    if (!ed::openSlot(s, n + 1)) return false;
    ed::setNoteCount(s, s.noteCount + 1);
    ed::setLength(s, n + 1, s.noteDur[n]);
    ed::setX(s, n + 1, s.noteX[n]);
    for (int str = 1; str <= kStrings; ++str)
        ed::setFret(s, n + 1, str, code(s.noteFret(n, str)));
    g.transport.curNote = static_cast<i16>(n + 1);
    rebuildPageTable(g);
    return true;
}

void tie(Guitar& g) {
    if (insertAfter(g, [](int f) { return isStruck(f) ? heldCode(f) : f; }))
        playbtn_Click(g, kPause);
}

void bend(Guitar& g) {
    insertAfter(g, [](int f) { return f < 0 ? f : kBend; });
}

void triplet(Guitar& g) {
    auto& s = g.song;
    const int n = g.transport.curNote;
    if (n < 1 || n + 2 > s.noteCount || isPlaying(g)) return;
    for (int j = n; j <= n + 2; ++j) {
        if (isMarker(s.noteDur[j])) return;
    }
    const int length = s.noteDur[n] > kTripletQuarter ? kTripletQuarter : kTripletEighth;
    for (int j = n; j <= n + 2; ++j)
        ed::setLength(s, j, length);
    pgScroll_Change(g);
}

void newLine(Guitar& g) {
    auto& s = g.song;
    const int c = g.transport.curNote;
    if (!onNote(g.transport, g.song) || s.noteDur[c] >= kEndOfPage) return;
    // A song has at most kMaxPages pages: a new line past the last is refused.
    if (isPlaying(g) || s.noteCount >= kMaxNotes || pageCount(g.ui) >= kMaxPages) return;
    if (!ed::openSlot(s, c + 1)) return;
    ed::setNoteCount(s, s.noteCount + 1);
    ed::setLength(s, c + 1, kEndOfPage);
    g.transport.curNote = static_cast<i16>(c + 2);
    rebuildPageTable(g);
    if (g.transport.curNote < s.noteCount) {
        playbtn_Click(g, kPause);
    } else {
        insertNote(g);
    }
}

void save(Guitar& g) {
    if (isPlaying(g)) return;
    if (g.song.songLocked) {
        showMessage(g, "This song is locked. \n" + g.song.songFile, "SAVE Disabled");
        return;
    }
    if (g.sys.dialogs == nullptr) return;
    FileDialogRequest request = fileRequest("Save Song", "Lutavo song files", ".SNG");
    const SaveOffer offer = offeredSaveName(g.song, g.app);
    request.folder = offer.folder;
    request.fileName = offer.fileName;
    const auto name = g.sys.dialogs->saveFile(request);
    if (!name) {
        playbtn_Click(g, kBack);
        return;
    }
    if (savesong(g, *name)) {
        g.editor.savedNoteCount = g.song.noteCount;
        const std::string told = saveOtherParts(g.app.importedParts, *name);
        if (!told.empty()) showMessage(g, told, "Save Song");
    } else {
        showMessage(g, "The song could not be saved to " + *name + ".", "Save Song");
    }
}

void mark(Guitar& g) {
    g.editor.markActive = true;
    g.editor.markStart = g.transport.curNote;
    g.editor.markEnd = g.transport.curNote;
    pgScroll_Change(g);
}

void unmark(Guitar& g) {
    clearMark(g.editor);
    pgScroll_Change(g);
}

void copy(Guitar& g) {
    const auto [first, last] = markedRange(g.editor);
    if (last - first < 1 || first < 1) return;
    g.editor.copyBuffer = ed::copySlots(g.song, first, std::min<int>(last, g.song.noteCount));
    g.editor.copyCapo = g.song.capo;
    g.ui.lblcopybuff.caption = "COPY BUFFER=" + std::to_string(g.editor.copyBuffer.size());
    g.ui.lblcopybuff.color = kColorAvailable;
    unmark(g);
}

int endsOfPage(const std::vector<NoteSlot>& notes) {
    return static_cast<int>(std::count_if(notes.begin(), notes.end(),
                                          [](const NoteSlot& n) { return n.dur == kEndOfPage; }));
}

// Notes copied under another capo are pasted as they would be entered now: their frets move with
// the capo, as the song's own did. A paste that would take a note off the neck or give the song
// more pages than it can hold is refused with a message; one past the note limit silently, as
// INS is.
void paste(Guitar& g) {
    auto& s = g.song;
    if (g.editor.copyBuffer.empty() || isPlaying(g)) return;
    if (g.transport.curNote == 0) g.transport.curNote = 1;
    std::vector<NoteSlot> notes = g.editor.copyBuffer;
    if (!ed::shiftFrets(notes, s.capo - g.editor.copyCapo, s.capo)) {
        showMessage(g,
                    "The copied notes cannot be pasted with the capo at fret " +
                        std::to_string(s.capo) + ": some of them would move off the neck.",
                    "PASTE");
        return;
    }
    if (pageCount(g.ui) + endsOfPage(notes) > kMaxPages) {
        showMessage(g,
                    "The copied notes cannot be pasted: the song would have more than " +
                        std::to_string(kMaxPages) + " lines.",
                    "PASTE");
        return;
    }
    if (!ed::insertSlots(s, std::min<int>(g.transport.curNote, s.noteCount + 1), notes)) return;
    ed::endSongAt(s, s.noteCount);
    rebuildPageTable(g);
}

void runCommand(Guitar& g, int index) {
    switch (index) {
        case kEditorIns:
            insertNote(g);
            break;
        case kEditorDel:
            deleteNote(g);
            break;
        case kEditorTie:
            tie(g);
            break;
        case kEditorTriplet:
            triplet(g);
            break;
        case kEditorInfo:
            showSongInfo(g.ui, g.app);
            break;
        case kEditorUnmark:
            unmark(g);
            break;
        case kEditorBend:
            bend(g);
            break;
        case kEditorNewline:
            newLine(g);
            break;
        case kEditorSave:
            save(g);
            break;
        case kEditorMark:
            mark(g);
            break;
        case kEditorCopy:
            copy(g);
            break;
        case kEditorPaste:
            paste(g);
            break;
        case kEditorBack:
            playbtn_Click(g, kBack);
            break;
        case kEditorNext:
            playbtn_Click(g, kNext);
            break;
        default:
            break;
    }
}

// The cursor displays after every command.
void refresh(Guitar& g) {
    auto& s = g.song;
    auto& ui = g.ui;
    placeNotePointer(g.song, g.ui, g.transport.curNote);
    const int dur = s.noteDur.contains(g.transport.curNote) ? s.noteDur[g.transport.curNote] : 0;
    if (dur < kEndOfPage && dur >= 0 && g.app.appMode == kModeEditor && g.transport.curNote >= 1) {
        g.playback.swapperPos = s.durSymbol[clampTo(dur, 0, s.durSymbol.upper)];
        ui.lpointer.at.left = g.playback.swapperSlotX[clampTo(g.playback.swapperPos, 1, 29)];
    }
    showNoteCount(g);
    setNoteScroll(g, g.transport.curNote);
}

}  // namespace

void btnsongentry_Click(Guitar& g, int index) {
    recordUndo(undoParts(g), [&g, index] { runCommand(g, index); });
    refresh(g);
}

void clearMark(EditorState& editor) {
    editor.markActive = false;
    editor.markStart = 0;
    editor.markEnd = 0;
}

void editorUndo(Guitar& g) {
    if (g.app.appMode == kModeEditor && undoEdit(g)) refresh(g);
}

void editorRedo(Guitar& g) {
    if (g.app.appMode == kModeEditor && redoEdit(g)) refresh(g);
}

void btnsongentry_MouseDown(WindowControls& ui, AppState& app, int index) {
    if (index < kEditorIns || index >= kEditorCommands) return;
    auto& labels = ui.lblsongentry;
    const int first = app.appMode == kModeEditor ? kEditorIns : kEditorBack;
    for (int i = first; i < kEditorCommands; ++i)
        labels[i].color = kColorAvailable;
    labels[index].color = kColorActive;
}

void btnsongentry_MouseUp(WindowControls& ui, int index) {
    if (index == kEditorBack || index == kEditorNext)
        ui.lblsongentry[index].color = kColorAvailable;
}

void rebuildPageTable(Guitar& g) {
    auto& s = g.song;
    const int cursor = g.transport.curNote;
    int cursorPage = 0;
    g.transport.curPage = 1;
    ed::setPageStart(s, 1, 1);
    for (int j = 1; j <= s.noteCount; ++j) {
        if (j == cursor) cursorPage = g.transport.curPage;
        if (s.noteDur[j] != kEndOfPage || g.transport.curPage >= kMaxPages) continue;
        ed::setPageStart(s, g.transport.curPage + 1, j + 1);
        g.display.noteSpacing = layoutpage(g.song, g.transport.curPage);
        g.transport.curPage = static_cast<i16>(g.transport.curPage + 1);
    }
    setPageCount(g.ui, g.transport.curPage);
    ed::setPageStart(s, g.transport.curPage + 1, s.noteCount + 2);
    g.display.noteSpacing = layoutpage(g.song, g.transport.curPage);
    // The end slot after the last note lies on the last page.
    if (cursor <= s.noteCount) g.transport.curPage = static_cast<i16>(std::max(cursorPage, 1));
    if (g.ui.pgScroll.value != g.transport.curPage) {
        pgScroll_Scroll(g, g.transport.curPage);
    } else {
        pgScroll_Change(g);
    }
}

}  // namespace lutavo
