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

int chosenLength(const Guitar& g) {
    return g.song.durValue[clampTo(g.playback.swapperPos, 1, kNoteLengthSlots)];
}

int pageCount(const Guitar& g) {
    return g.ui.pgScroll.max;
}

void setPageCount(Guitar& g, int pages) {
    g.ui.pgScroll.max = pages;
    g.ui.scrollpanel.visible = pages > 1;
}

void redrawPage(Guitar& g) {
    g.display.noteSpacing = layoutpage(g.song, g.transport.curPage);
    pgScroll_Change(g);
}

// A marked range put in order: a click on the page before the mark's start can reverse it.
std::pair<int, int> markedRange(const Guitar& g) {
    const int a = g.editor.markStart;
    const int b = g.editor.markEnd;
    return {std::min(a, b), std::max(a, b)};
}

void insertNote(Guitar& g) {
    auto& s = g.song;
    if (s.noteCount >= kMaxNotes || isPlaying(g)) return;
    if (g.transport.curNote == 0) g.transport.curNote = 1;
    if (!ed::openSlot(s, g.transport.curNote)) return;
    ed::shiftPageStarts(s, g.transport.curPage, +1);
    ed::setNoteCount(s, s.noteCount + 1);
    ed::setAllFrets(s, g.transport.curNote, kSilent);
    ed::setLength(s, g.transport.curNote, chosenLength(g));
    redrawPage(g);
    presentNote(g, kShowOnly);
}

// Held notes that continue the current note on a string go with it.
void silenceContinuations(Guitar& g) {
    auto& s = g.song;
    const int n = g.transport.curNote;
    for (int str = 1; str <= kStrings; ++str) {
        const int f = s.noteFret(n, str);
        if (!isStruck(f)) continue;
        for (int j = n; j < s.noteCount && s.noteFret(j + 1, str) == heldCode(f); ++j)
            ed::setFret(s, j + 1, str, kSilent);
    }
}

void deleteOne(Guitar& g) {
    auto& s = g.song;
    if (s.noteDur[g.transport.curNote] == kEndOfPage) {
        // The page after the marker joins the current one.
        for (int p = g.transport.curPage + 1; p < kMaxPages; ++p) {
            if (s.pageStart[p] > 0) ed::setPageStart(s, p, s.pageStart[p + 1] - 1);
        }
        setPageCount(g, std::max(pageCount(g) - 1, 1));
    } else {
        ed::shiftPageStarts(s, g.transport.curPage, -1);
    }
    silenceContinuations(g);
    ed::deleteSlots(s, g.transport.curNote, g.transport.curNote);
    if (s.noteCount < g.transport.curNote) g.transport.curNote = s.noteCount;
    redrawPage(g);
    if (s.noteDur[g.transport.curNote] < kEndOfPage) presentNote(g, kSound);
}

void deleteMarked(Guitar& g) {
    auto& s = g.song;
    const auto [first, last] = markedRange(g);
    const int end = std::min(last, static_cast<int>(s.noteCount));
    if (first < 1 || end < first) return;
    ed::deleteSlots(s, first, end);
    g.transport.curNote = static_cast<i16>(std::max(1, g.transport.curNote - (end - first)));
    ed::endSongAt(s, s.noteCount);
    clearMark(g);
    rebuildPageTable(g);
}

void deleteNote(Guitar& g) {
    auto& s = g.song;
    // The end slot after the last note is no note: there is nothing to delete.
    if (g.transport.curNote < 1 || g.transport.curNote > s.noteCount || isPlaying(g)) return;
    if (s.noteCount == 1) {
        ed::setAllFrets(s, g.transport.curNote, kSilent);
        ed::setLength(s, g.transport.curNote, chosenLength(g));
        redrawPage(g);
    } else if (g.editor.markStart < 1) {
        deleteOne(g);
    } else {
        deleteMarked(g);
    }
}

// TIE and BEND put a copy of the current note after it, each string changed by code().
template <typename Code>
bool insertAfter(Guitar& g, Code code) {
    auto& s = g.song;
    const int n = g.transport.curNote;
    if (n < 1 || n > s.noteCount || s.noteCount >= kMaxNotes || isPlaying(g)) return false;
    if (!ed::openSlot(s, n + 1)) return false;
    ed::shiftPageStarts(s, g.transport.curPage, +1);
    ed::setNoteCount(s, s.noteCount + 1);
    ed::setLength(s, n + 1, s.noteDur[n]);
    ed::setX(s, n + 1, s.noteX[n]);
    for (int str = 1; str <= kStrings; ++str)
        ed::setFret(s, n + 1, str, code(s.noteFret(n, str)));
    g.transport.curNote = static_cast<i16>(n + 1);
    redrawPage(g);
    return true;
}

void tie(Guitar& g) {
    if (insertAfter(g, [](int f) { return isStruck(f) ? heldCode(f) : f; }))
        playbtn_Click(g, kPause);
}

void bend(Guitar& g) {
    if (g.song.noteDur[g.transport.curNote] >= kEndOfPage) return;
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
    if (s.noteDur[c] >= kEndOfPage) return;
    // A song has at most kMaxPages pages: a new line past the last is refused.
    if (isPlaying(g) || s.noteCount >= kMaxNotes || pageCount(g) >= kMaxPages) return;
    if (c < 0 || !ed::openSlot(s, c + 1)) return;
    ed::setNoteCount(s, s.noteCount + 1);
    ed::setLength(s, c + 1, kEndOfPage);
    for (int p = kMaxPages + 1; p >= g.transport.curPage + 2; --p) {
        if (s.pageStart[p - 1] > 0) ed::setPageStart(s, p, s.pageStart[p - 1] + 1);
    }
    ed::setPageStart(s, g.transport.curPage + 1, c + 2);
    g.display.noteSpacing = layoutpage(g.song, g.transport.curPage);
    g.transport.curNote = static_cast<i16>(c + 2);
    g.transport.curPage = static_cast<i16>(g.transport.curPage + 1);
    setPageCount(g, pageCount(g) + 1);
    pgScroll_Scroll(g, std::min(g.ui.pgScroll.value + 1, pageCount(g)));
    pgScroll_Change(g);
    redrawPage(g);
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
    request.fileName = g.ui.lblsong.caption;
    request.folder = g.app.dataFolder;
    const auto name = g.sys.dialogs->saveFile(request);
    if (!name) {
        playbtn_Click(g, kBack);
        return;
    }
    if (savesong(g, *name)) {
        g.editor.savedNoteCount = g.song.noteCount;
        saveOtherParts(g, *name);
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
    clearMark(g);
    pgScroll_Change(g);
}

void copy(Guitar& g) {
    const auto [first, last] = markedRange(g);
    if (last - first < 1 || first < 1) return;
    g.editor.copyBuffer = ed::copySlots(g.song, first, std::min<int>(last, g.song.noteCount));
    g.ui.lblcopybuff.caption = "COPY BUFFER=" + std::to_string(g.editor.copyBuffer.size());
    g.ui.lblcopybuff.color = kColorAvailable;
    unmark(g);
}

void paste(Guitar& g) {
    auto& s = g.song;
    if (g.editor.copyBuffer.empty() || isPlaying(g)) return;
    if (g.transport.curNote == 0) g.transport.curNote = 1;
    // A paste that would pass the song's limit is refused whole.
    if (!ed::insertSlots(s, std::min<int>(g.transport.curNote, s.noteCount + 1),
                         g.editor.copyBuffer))
        return;
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
            showSongInfo(g);
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
    placeNotePointer(g, g.transport.curNote);
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
    recordUndo(g, [&g, index] { runCommand(g, index); });
    refresh(g);
}

void clearMark(Guitar& g) {
    g.editor.markActive = false;
    g.editor.markStart = 0;
    g.editor.markEnd = 0;
}

void editorUndo(Guitar& g) {
    if (g.app.appMode == kModeEditor && undoEdit(g)) refresh(g);
}

void editorRedo(Guitar& g) {
    if (g.app.appMode == kModeEditor && redoEdit(g)) refresh(g);
}

void btnsongentry_MouseDown(Guitar& g, int index) {
    if (index < kEditorIns || index >= kEditorCommands) return;
    auto& labels = g.ui.lblsongentry;
    const int first = g.app.appMode == kModeEditor ? kEditorIns : kEditorBack;
    for (int i = first; i < kEditorCommands; ++i)
        labels[i].color = kColorAvailable;
    labels[index].color = kColorActive;
}

void btnsongentry_MouseUp(Guitar& g, int index) {
    if (index == kEditorBack || index == kEditorNext)
        g.ui.lblsongentry[index].color = kColorAvailable;
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
    setPageCount(g, g.transport.curPage);
    ed::setPageStart(s, g.transport.curPage + 1, s.noteCount + 2);
    g.display.noteSpacing = layoutpage(g.song, g.transport.curPage);
    g.transport.curPage = static_cast<i16>(std::max(cursorPage, 1));
    if (g.ui.pgScroll.value != g.transport.curPage) {
        pgScroll_Scroll(g, g.transport.curPage);
    } else {
        pgScroll_Change(g);
    }
}

}  // namespace lutavo
