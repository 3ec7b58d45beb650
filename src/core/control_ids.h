// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The indices of every control array of the window, and the window's unit. A control array
// is addressed by these names only, so an index means the same control in every file.

#include "base/controls.h"

namespace lutavo {

inline constexpr int kWindowWidthTwips = 9865;

// Mode bar: opt / opttxt.
enum ModeBarButton : int {
    kModeBarSongs = 0,
    kModeBarLessons = 1,
    kModeBarTune = 2,
    kModeBarEdit = 3,
    kModeBarChords = 4,
    kModeBarScales = 5,
    kModeBarPrint = 6,
};

// Transport row: playbtn / playtxt.
enum TransportButton : int {
    kRew = 0,
    kFfwd = 1,
    kPlay = 2,
    kPause = 3,
    kBack = 4,
    kNext = 5,
    kStop = 6,
    kRepeat = 7,
    kQuietBack = 8,  // BACK without touching the labels
    kQuietNext = 9,  // NEXT without touching the labels
};
// REW .. NEXT: the buttons a song of fewer than two notes leaves unavailable.
inline constexpr int kTransportPlayButtons = 6;

// Items of the repeat menu mnuRepeat.
// The practice progress and wait mode (after a separator) are left to whoever pressed REPEAT.
enum RepeatMenuItem : int {
    kRepeatMenuLine = 0,
    kRepeatMenuSong = 1,
    kRepeatMenuCancel = 2,
    kRepeatMenuProgress = 4,
    kRepeatMenuWait = 5,
    kRepeatMenuScore = 6,
};

// Output buttons outbtn: the four sound buttons share one place, one per sound.
enum OutputButton : int { kSoundButtonFirst = 2, kSoundButtonLast = 5, kSetupButton = 6 };
// Output labels outtxt.
enum OutputLabel : int { kSetupLabel = 0, kSoundLabel = 1, kMetroLabel = 2 };

// Settings panel: btnSwapper, by index; lblswapper shares the indices 0..5.
enum SettingButton : int {
    kSettingTimeSig = 0,
    kSettingKey = 1,
    kSettingCapo = 2,
    kSettingVolume = 3,
    kSettingTempo = 4,
    kSettingLeadIn = 5,
    kSettingNoteLength = 6,  // the editor's note lengths; shares swapperMode 5 and label 5
};

// Editor commands: btnsongentry / lblsongentry.
enum EditorButton : int {
    kEditorIns = 0,
    kEditorDel = 1,
    kEditorTie = 2,
    kEditorTriplet = 3,
    kEditorInfo = 4,
    kEditorUnmark = 5,
    kEditorBend = 6,
    kEditorNewline = 7,
    kEditorSave = 8,
    kEditorMark = 9,
    kEditorCopy = 10,
    kEditorPaste = 11,
    kEditorBack = 12,
    kEditorNext = 13,
};
inline constexpr int kEditorCommands = 14;

// Lesson ribbon: lbutton.
enum LessonButton : int { kLessonBack = 0, kLessonNext = 1, kLessonIdle = 2 };

// Setup window: btnConfig, one per sound.
enum SetupSoundButton : int {
    kConfigNylon = 0,
    kConfigAcoustic = 1,
    kConfigElectric = 2,
    kConfigOverdrive = 3
};

}  // namespace lutavo
