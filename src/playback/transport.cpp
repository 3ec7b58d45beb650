// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/transport.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "config/setup_window.h"
#include "core/guitar.h"
#include "display/page_layout.h"
#include "display/page_render.h"
#include "display/scrolling.h"
#include "display/shownote.h"
#include "platform/dialogs.h"
#include "platform/midi_out.h"
#include "playback/engine.h"
#include "playback/performer.h"
#include "playback/play_range.h"
#include "playback/play_tick.h"
#include "playback/settings_adjuster.h"
#include "playback/sound.h"
#include "playback/trainer_passes.h"
#include "song/song_edit.h"
#include "song/song_model.h"

namespace lutavo {

namespace {

constexpr int kWindIntervalAfterRelease = 8;
constexpr int kVolumeSetting = 3;
constexpr int kMaxLocateSpacing = 80;

constexpr std::array<const char*, 8> kCaptions = {"REW",  "FFWD", "PLAY", "PAUSE",
                                                  "BACK", "NEXT", "STOP", "REPEAT"};
constexpr std::array<const char*, 8> kTips = {"Fast backwards",
                                              "Fast forward",
                                              "Play the song",
                                              "Pause song/repeat current note",
                                              "Move to the left one note",
                                              "Advance to the next note",
                                              "Stop the song & go back to begining",
                                              "Repeat the current line/stop repeating"};

void showStoppedTransport(WindowControls& ui) {
    for (int k = 0; k <= kStop; ++k)
        ui.playtxt[k].color = kColorAvailable;
    ui.playtxt[kPause].color = kColorActive;
}

bool editing(const AppState& app) {
    return app.appMode == kModeEditor;
}

bool repeating(const TransportState& t) {
    return t.range.loop || t.repeatSong;
}

// The last note a play reaches: a repeated line's last, else the song's.
int playLast(const TransportState& at, const SongModel& song) {
    return at.range.lastIn(song.noteCount);
}

void backToFirstPage(Guitar& g) {
    g.transport.curPage = 1;
    pgScroll_Scroll(g, 1);
}

// While the adjuster shows volume, tempo or lead-in, the song settings it cannot change while
// playing return to their normal colour.
void releaseSongSettingLabels(PlaybackState& playback, WindowControls& ui) {
    if (playback.swapperMode < kVolumeSetting) return;
    for (int i = 0; i <= 2; ++i)
        ui.lblswapper[i].color = kColorAvailable;
}

void play(Guitar& g) {
    auto& at = g.transport;
    const int first = at.range.first;
    // A marked passage starts from its beginning unless the position is inside it.
    const bool outside = at.curNote < first || at.curNote > playLast(g.transport, g.song);
    if (at.curNote == first - 1 || (at.range.marked() && outside)) {
        at.curNote = static_cast<i16>(first);
        g.playback.counters.sounding.fill(0);
        if (at.range.marked()) showPageOf(g, pageOfNote(g.song, first, g.ui.pgScroll.max));
    } else if (at.curNote > playLast(g.transport, g.song)) {
        at.curNote = static_cast<i16>(first);
        if (g.ui.pgScroll.value > 1 && !at.range.marked()) backToFirstPage(g);
    }
    g.gtimer.enabled = false;
    btnSwapper_Click(g, editing(g.app) ? kSettingNoteLength : kSettingLeadIn);
    preparePlayStart(g);
    if (g.ntimer.interval <= 0) applyPlayInterval(g);
    g.ntimer.enabled = true;
}

// What the user stops must not go on sounding from the sound output's schedule.
void cancelScheduledSound(Services& sys) {
    if (sys.midi != nullptr) sys.midi->cancelScheduled();
}

void pause(Guitar& g) {
    cancelScheduledSound(g.sys);
    stopPlaying(g.ntimer, g.gtimer);
    presentNote(g, kSound);
    releaseSongSettingLabels(g.playback, g.ui);
}

// While a mark is in force, moving the cursor on from its start extends it.
void extendMark(Guitar& g) {
    auto& ed = g.editor;
    if (!ed.markActive || g.transport.curNote < ed.markStart) return;
    ed.markEnd = g.transport.curNote;
    pgScroll_Change(g);
}

void back(Guitar& g) {
    stopPlaying(g.ntimer, g.gtimer);
    stepBackwards(g, editing(g.app) ? BackStop::AnyNote : BackStop::SoundingOrMuted);
    presentNote(g, kSound);
    extendMark(g);
}

bool stopsNext(const Guitar& g, int n) {
    const auto& s = g.song;
    if (n > playLast(g.transport, g.song) || s.noteDur[n] >= kStopMarker) return true;
    if (editing(g.app)) return true;
    for (int str = 1; str <= kStrings; ++str) {
        const int f = s.noteFret(n, str);
        if (f >= 0 || f == kMuted) return true;
    }
    return false;
}

// NEXT at the last note in the editor adds an empty note of the chosen length.
void appendEmptyNote(Guitar& g) {
    auto& s = g.song;
    auto& at = g.transport;
    at.curNote = static_cast<i16>(songedit::appendEmptyNote(
        s, at.curPage, s.durValue[clampTo(g.playback.swapperPos, 1, 10)]));
    showNoteCount(g);
    g.display.noteSpacing = layoutpage(g.song, g.transport.curPage);
    pgScroll_Change(g);
}

void next(Guitar& g) {
    auto& s = g.song;
    stopPlaying(g.ntimer, g.gtimer);
    if (editing(g.app) && s.noteDur[g.transport.curNote] == kEndOfPage) {
        const auto& bar = g.ui.pgScroll;
        pgScroll_Scroll(g, bar.value < bar.max ? bar.value + 1 : 1);
        // The current page is the one now shown, also when the redraw has set it already.
        g.transport.curPage = static_cast<i16>(bar.value);
    }
    if (editing(g.app) && g.transport.curNote >= s.noteCount && s.noteCount < kMaxNotes) {
        appendEmptyNote(g);
    } else {
        do {
            g.transport.curNote = static_cast<i16>(g.transport.curNote + 1);
        } while (!stopsNext(g, g.transport.curNote));
        // From a position already past the end, NEXT stays just after the last note.
        g.transport.curNote =
            static_cast<i16>(std::min<int>(g.transport.curNote, playLast(g.transport, g.song) + 1));
    }
    if (editing(g.app) && s.noteDur[g.transport.curNote] == kEndOfPage) {
        placeNotePointer(g.song, g.ui, g.transport.curNote);
        shownoteCounter(g, g.transport.curNote);
    } else {
        presentNote(g, kSound);
    }
    extendMark(g);
}

void stop(Guitar& g) {
    auto& at = g.transport;
    cancelScheduledSound(g.sys);
    stopPlaying(g.ntimer, g.gtimer);
    endTrainer(g);
    at.curNote = static_cast<i16>(at.range.first - 1);
    if (at.range.marked()) {
        // From the page of the position before the passage, passing a page end shows its own.
        showPageOf(g, pageOfNote(g.song, std::max<int>(at.curNote, 1), g.ui.pgScroll.max));
    } else {
        backToFirstPage(g);
    }
    presentNote(g, kShowOnly);
    at.curNote = static_cast<i16>(at.range.first - 1);
    g.playback.counters.noteTicks = 0;
    g.playback.counters.beatTick = kBeatAfterStop;
    releaseSongSettingLabels(g.playback, g.ui);
}

using LabelColours = std::array<Color, kRepeat + 1>;

LabelColours transportColours(const WindowControls& ui) {
    LabelColours colours{};
    for (int i = kRew; i <= kRepeat; ++i)
        colours[static_cast<std::size_t>(i)] = ui.playtxt[i].color;
    return colours;
}

// A repeat menu closed without a choice leaves the labels as they were before REPEAT, as does
// the practice progress, which is returned to the caller; -1 for everything else.
int popupRepeatMenu(Guitar& g, const LabelColours& before) {
    setupPlaybackControls(g);
    const int item = g.sys.dialogs == nullptr ? -1 : g.sys.dialogs->popupMenu(g.ui.mnuRepeat);
    switch (item) {
        case kRepeatMenuLine:
            mnuRepeatLine_Click(g);
            break;
        case kRepeatMenuSong:
            mnuRepeatSong_Click(g);
            break;
        case kRepeatMenuCancel:
            mnuRepeatCancel_Click(g);
            break;
        default:
            for (int i = kRew; i <= kRepeat; ++i)
                g.ui.playtxt[i].color = before[static_cast<std::size_t>(i)];
            return item >= kRepeatMenuProgress ? item : -1;
    }
    return -1;
}

void checkRepeatItem(Guitar& g, int item, bool on) {
    setupPlaybackControls(g);
    g.ui.mnuRepeat.items[static_cast<std::size_t>(item)].checked = on;
}

bool isWindButton(int index) {
    return index == kRew || index == kFfwd;
}

}  // namespace

bool isPlaying(const Guitar& g) {
    return g.ntimer.enabled;
}

void colourTransportLabels(Guitar& g, int active) {
    auto& ui = g.ui;
    for (int i = kRew; i <= kStop; ++i)
        ui.playtxt[i].color = kColorAvailable;
    ui.playtxt[kRepeat].color = repeating(g.transport) ? kColorActive : kColorAvailable;
    ui.playtxt[active].color = kColorActive;
}

void setupTransportLabels(Guitar& g) {
    auto& ui = g.ui;
    for (int i = kRew; i <= kRepeat; ++i) {
        ui.playtxt[i].caption = kCaptions[static_cast<std::size_t>(i)];
        ui.playbtn[i].tip = kTips[static_cast<std::size_t>(i)];
    }
    ui.outtxt[kSetupLabel].caption = "SETUP";
    ui.outtxt[kSoundLabel].caption = "SOUND";
    ui.outtxt[kMetroLabel].caption = "METRO";
    ui.outbtn[kSetupButton].tip = "Open the SETUP window";
}

int playbtn_Click(Guitar& g, int index) {
    if (index < kRew || index > kQuietNext) return -1;
    g.ui.mled.color = kLampDark;
    if (g.song.noteCount < 1) return -1;
    const LabelColours before = transportColours(g.ui);
    if (index <= kRepeat) colourTransportLabels(g, index);
    switch (index) {
        case kPlay:
            play(g);
            break;
        case kPause:
            pause(g);
            break;
        case kBack:
        case kQuietBack:
            back(g);
            break;
        case kNext:
        case kQuietNext:
            next(g);
            break;
        case kStop:
            stop(g);
            break;
        case kRepeat:
            return popupRepeatMenu(g, before);
        default:  // REW and FFWD act while held
            break;
    }
    return -1;
}

void playbtn_MouseDown(Guitar& g, int index) {
    if (!isWindButton(index) || g.song.noteCount < 1) return;
    cancelScheduledSound(g.sys);
    auto& s = g.song;
    auto& pb = g.playback;
    if (index == kRew) {
        if (s.noteDur[g.transport.curNote] == kEndOfPage)
            g.transport.curNote = static_cast<i16>(g.transport.curNote - 1);
        pb.playMode = kPlayBackwards;
    }
    pb.winding = -1;
    g.ntimer.interval = pb.windInterval;
    pb.wasPlaying = isPlaying(g) ? 1 : 0;
    if (g.transport.curNote > playLast(g.transport, g.song))
        g.transport.curNote = static_cast<i16>(g.transport.curNote - 1);
    g.ntimer.enabled = true;
}

void playbtn_MouseUp(Guitar& g, int index) {
    auto& pb = g.playback;
    pb.playMode = kPlayForward;
    pb.windInterval = kWindIntervalAfterRelease;
    const bool wasWinding = pb.winding != 0;
    pb.winding = 0;
    if (!isWindButton(index) || !wasWinding) return;
    applyPlayInterval(g);
    if (pb.wasPlaying != 1) stopPlaying(g.ntimer, g.gtimer);
}

void mnuRepeatCancel_Click(Guitar& g) {
    checkRepeatItem(g, kRepeatMenuCancel, true);
    checkRepeatItem(g, kRepeatMenuSong, false);
    g.ui.playtxt[kRepeat].color = kColorAvailable;
    g.transport.repeatSong = false;
    if (!g.transport.range.loop && !g.transport.range.marked()) return;
    g.transport.range = PlayRange{};
    checkRepeatItem(g, kRepeatMenuLine, false);
    drawPageAgain(g);
}

void showRepeatState(Guitar& g) {
    const auto& t = g.transport;
    checkRepeatItem(g, kRepeatMenuLine, t.range.loop);
    checkRepeatItem(g, kRepeatMenuSong, t.repeatSong);
    checkRepeatItem(g, kRepeatMenuCancel, !repeating(g.transport));
    g.ui.playtxt[kRepeat].color = repeating(g.transport) ? kColorActive : kColorAvailable;
}

void clearRepeatModes(Guitar& g) {
    g.transport.range = PlayRange{};
    g.transport.repeatSong = false;
    checkRepeatItem(g, kRepeatMenuLine, false);
    checkRepeatItem(g, kRepeatMenuSong, false);
    checkRepeatItem(g, kRepeatMenuCancel, true);
    g.ui.playtxt[kRepeat].color = kColorAvailable;
}

void mnuRepeatLine_Click(Guitar& g) {
    const auto& s = g.song;
    if (editing(g.app) || g.transport.range.loop) return;
    const int page = clampTo(g.transport.curPage, 1, kMaxPages);
    const int first = s.pageStart[page];
    const int last = s.pageStart[page + 1] - 2;
    // A page table without a note on this page leaves nothing to repeat.
    if (first < 1 || last < first || last > s.noteCount) return;
    mnuRepeatCancel_Click(g);
    checkRepeatItem(g, kRepeatMenuCancel, false);
    checkRepeatItem(g, kRepeatMenuLine, true);
    // The line's first note follows its last after exactly the last note's length.
    g.transport.range = PlayRange{static_cast<i16>(first), static_cast<i16>(last), true};
    g.ui.playtxt[kRepeat].color = kColorActive;
    drawPageAgain(g);
}

void mnuRepeatSong_Click(Guitar& g) {
    mnuRepeatCancel_Click(g);
    checkRepeatItem(g, kRepeatMenuCancel, false);
    checkRepeatItem(g, kRepeatMenuSong, true);
    g.transport.repeatSong = true;
    g.ui.playtxt[kRepeat].color = kColorActive;
}

void outbtn_Click(Guitar& g, int index) {
    if (index >= kSoundButtonFirst && index <= kSoundButtonLast) {
        setupPlaybackControls(g);
        if (g.sys.dialogs == nullptr) return;
        const int choice = g.sys.dialogs->popupMenu(g.ui.mnuSound);
        if (choice >= 0) mnuSoundtype_Click(g, choice);
    } else if (index == kSetupButton) {
        playbtn_Click(g, kStop);
        g.gtimer.interval = kSetupTimerInterval;
        g.ui.outtxt[kSetupLabel].color = kColorActive;
        loadSetupWindow(g);
    }
}

void outbtn_MouseDown(WindowControls& ui, int index) {
    if (index >= kSoundButtonFirst && index <= kSoundButtonLast) {
        ui.outtxt[kSoundLabel].color = kColorActive;
    }
}

void outbtn_MouseUp(WindowControls& ui, int index) {
    if (index >= kSoundButtonFirst && index <= kSoundButtonLast) {
        ui.outtxt[kSoundLabel].color = kColorAvailable;
    }
}

void TempoBtn_Click(WindowControls& ui, SongModel& song) {
    ui.mled.color = kLampDark;
    const bool on = song.metroOn == 0;
    song.metroOn = on ? 1 : 0;
    ui.outtxt[kMetroLabel].color = on ? kColorActive : kColorAvailable;
}

namespace {

// The columns' spacing a click is located by, for a page of n entries.
int locateSpacing(int n) {
    if (n < 3) return kMaxLocateSpacing;
    return std::min(kMaxLocateSpacing, static_cast<int>(roundHalfEven(500.0 / (n - 2))));
}

}  // namespace

int noteUnderX(const SongModel& s, int page, int x) {
    const int p = clampTo(page, 1, kMaxPages);
    const int first = s.pageStart[p];
    const int next = s.pageStart[p + 1];
    const int spacing = locateSpacing(next - first);
    int note = static_cast<int>(roundHalfEven(first + (x - 80) / static_cast<double>(spacing)));
    note = std::min(note, next - 2);
    // The cursor stays on the clicked page: on a last page that holds only the end slot (the
    // song ends with a page end) that slot is where the next note is entered.
    return clampTo(std::max(note, first), 0, s.noteCount + 1);
}

void locatenote(Guitar& g, int x) {
    auto& s = g.song;
    if (s.noteCount < 1) return;
    const int page = clampTo(g.transport.curPage, 1, kMaxPages);
    g.display.noteSpacing =
        static_cast<i16>(locateSpacing(s.pageStart[page + 1] - s.pageStart[page]));
    g.transport.curNote = static_cast<i16>(noteUnderX(s, page, x));
    g.transport.pressedNote = g.transport.curNote;
    // A click extends the marked range to the note under it.
    if (g.editor.markActive) {
        g.editor.markEnd = g.transport.curNote;
        pgScroll_Change(g);
    }
    if (isPlaying(g)) {
        playbtn_Click(g, kPause);
    } else {
        presentNote(g, kSound);
    }
}

bool cursorOnEnterableNote(Guitar& g) {
    const auto& s = g.song;
    if (g.transport.curNote != s.noteCount + 1) return true;
    if (s.noteCount >= kMaxNotes) return false;
    appendEmptyNote(g);
    return true;
}

void score_MouseUp(Guitar& g, int x) {
    const int pressed = std::exchange(g.transport.pressedNote, i16{0});
    const int released = g.song.noteCount < 1 ? 0 : noteUnderX(g.song, g.transport.curPage, x);
    if (pressed > 0 && released != pressed && g.app.appMode != kModeEditor) {
        const PlayRange before = g.transport.range;
        g.transport.range = draggedPassage(g.song, before, pressed, released);
        if (g.transport.range.first != before.first || g.transport.range.last != before.last) {
            showPassage(g);
            return;
        }
    }
    presentNote(g, kShowOnly);
}

void showPassage(Guitar& g) {
    showRepeatState(g);
    if (isPlaying(g)) {
        followRange(g.song, liveSettings(g), g.playback.counters);
    } else {
        playbtn_Click(g, kStop);
    }
    drawPageAgain(g);
}

void pgScroll_UserScroll(Guitar& g, int value) {
    if (!g.ui.pgScroll.set(value)) return;
    pgScroll_Change(g);
    // An arrow click turns the page without moving the focus, so the note follows it here.
    scrollpanel_Click(g);
}

void pgScroll_GotFocus(Guitar& g) {
    g.ui.pgScroll.hasFocus = true;
    scrollpanel_Click(g);
}

void pgScroll_LostFocus(Guitar& g) {
    g.ui.pgScroll.hasFocus = false;
    scrollpanel_Click(g);
}

void scrollpanel_Click(Guitar& g) {
    auto& song = g.song;
    if (song.noteCount <= 1) return;
    if (g.transport.curNote < song.noteCount + 1) presentNote(g, kShowOnly);

    const int page = clampTo(g.ui.pgScroll.value, 1, kMaxPages);
    g.transport.curPage = static_cast<i16>(page);
    int note = page == 1 ? 0 : song.pageStart[page];
    if (note > song.noteCount || note < 0) note = song.noteCount + 1;
    g.transport.curNote = static_cast<i16>(note);

    placeNotePointer(g.song, g.ui, g.transport.curNote);
    setNoteScroll(g, g.transport.curNote);
    const int before = g.transport.curNote - 1;
    // The engine takes a note counter of 99 as "the next note is due now".
    if (song.noteDur.contains(before) && song.noteDur[before] == kEndOfPage)
        g.playback.counters.noteTicks = kNoteDue;

    g.ntimer.enabled = false;
    g.gtimer.enabled = true;
    showStoppedTransport(g.ui);
}

}  // namespace lutavo
