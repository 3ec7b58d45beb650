// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/keyboard.h"

#include "app/mode_bar.h"
#include "app/play_along.h"
#include "app/wait_mode.h"
#include "app/window_zoom.h"
#include "core/control_ids.h"
#include "core/guitar.h"
#include "core/messages.h"
#include "editor/editor_commands.h"
#include "playback/transport.h"
#include "practice/passage.h"
#include "practice/progress_view.h"
#include "practice/speed_trainer.h"

namespace lutavo {

namespace {

// Ctrl+Up and Ctrl+Down change the practice speed by this many percent.
constexpr int kTempoPercentStep = 5;

// Outside the editor the cursor keys, Space and the passage keys mean something.
void transportKey(Guitar& g, KeyCommand key) {
    switch (key) {
        case KeyCommand::Back:
            transportClick(g, kBack);
            break;
        case KeyCommand::Next:
            transportClick(g, kNext);
            break;
        case KeyCommand::PlayPause:
            transportClick(g, isPlaying(g) || g.practice.wait.waiting ? kPause : kPlay);
            break;
        case KeyCommand::PassageStart:
            markPassage(g, PassageEnd::Start, PassageAt::Note);
            break;
        case KeyCommand::PassageEnd:
            markPassage(g, PassageEnd::End, PassageAt::Note);
            break;
        case KeyCommand::LineStart:
            markPassage(g, PassageEnd::Start, PassageAt::Line);
            break;
        case KeyCommand::LineEnd:
            markPassage(g, PassageEnd::End, PassageAt::Line);
            break;
        case KeyCommand::Loop:
            toggleLoop(g);
            break;
        case KeyCommand::Trainer:
            toggleTrainer(g);
            break;
        case KeyCommand::TrainerPlan:
            editTrainerPlan(g.sys.dialogs, g.playback.trainerPlan);
            break;
        default:
            break;
    }
}

constexpr const char* kHelpText =
    "Keys\n"
    "Ctrl+O  load a song (SONGS)\n"
    "Ctrl+L  load a lesson (LESSONS)\n"
    "Ctrl+P  the print menu (PRINT)\n"
    "Ctrl+Q  quit (asks first while a song is being edited)\n"
    "Ctrl+Plus / Ctrl+Minus  a larger or smaller window;  Ctrl+0  its own size\n"
    "Space  play or pause;  Left / Right  the note before or after\n"
    "[ / ]  a passage starts or ends at the current note;  { / }  at the current line\n"
    "L  loop the passage (or the current line) on and off;  REPEAT, Cancel  forget the passage\n"
    "T  the speed trainer on the loop (60% up to 100%, 5% faster every 2 passes at first);  T "
    "again stops it;  Shift+T  its plan\n"
    "Ctrl+Up / Ctrl+Down  play 5% faster or slower (25% to 200% of the song's tempo)\n"
    "P  your practice: minutes a day and the best speed on each passage, and the songs "
    "practised lately (also REPEAT, Practice progress...)\n"
    "W  wait mode on and off: PLAY then waits at each note until the microphone hears you play "
    "it (also REPEAT, Wait for each note)\n"
    "S  score my playing on and off: PLAY then listens as you play along, marks each note hit, "
    "early, late, wrong or missed, and tells the pass's score (also REPEAT, Score my playing)\n"
    "In the editor: Shift+Left / Shift+Right mark, Insert, Delete, Ctrl+S save, Ctrl+C copy, "
    "Ctrl+V paste, Ctrl+Z undo, Ctrl+Y redo\n"
    "\n"
    "Panels\n"
    "Mode bar (top): songs, lessons, tuning, the editor, chords, scales and printing.\n"
    "Neck and keyboard: the strings and keys of the current note; click the neck to enter "
    "notes in the editor.\n"
    "Page: the current line of music over its tablature; click a note to go to it.\n"
    "Transport (under the page): play, pause, step, stop, repeat, sound, metronome, setup.\n"
    "Settings (beside the transport): time signature, key, capo, volume, tempo and lead-in; "
    "choose one, then click its scale.";

// Keys that mean the same in every mode (the mode bar, help, zoom, the practice speed); false
// for the other keys.
bool modeBarKey(Guitar& g, KeyCommand key) {
    switch (key) {
        case KeyCommand::Songs:
            modeBarPress(g, kModeBarSongs);
            return true;
        case KeyCommand::Lessons:
            modeBarPress(g, kModeBarLessons);
            return true;
        case KeyCommand::Print:
            modeBarPress(g, kModeBarPrint, MenuPlace::AtButton);
            return true;
        case KeyCommand::Help:
            showMessage(g, kHelpText, "Lutavo Help");
            return true;
        case KeyCommand::ZoomIn:
            zoomWindow(g, 1);
            return true;
        case KeyCommand::ZoomOut:
            zoomWindow(g, -1);
            return true;
        case KeyCommand::ZoomReset:
            zoomWindow(g, 0);
            return true;
        case KeyCommand::Faster:
            setTempoPercent(g, g.playback.tempoPercent + kTempoPercentStep);
            return true;
        case KeyCommand::Slower:
            setTempoPercent(g, g.playback.tempoPercent - kTempoPercentStep);
            return true;
        case KeyCommand::WaitMode:
            toggleWaitMode(g);
            return true;
        case KeyCommand::Scoring:
            toggleScoring(g);
            return true;
        case KeyCommand::Repeat: {
            const int chosen = playbtn_Click(g, kRepeat);
            if (chosen == kRepeatMenuWait) toggleWaitMode(g);
            if (chosen == kRepeatMenuScore) toggleScoring(g);
            if (chosen != kRepeatMenuProgress) return true;
        }
            [[fallthrough]];
        case KeyCommand::Progress:
            if (const auto song = showProgress(g.practice, g.sys.dialogs, g.song.songFile))
                openNamedFile(g, *song);
            return true;
        default:
            return false;
    }
}

void extendMark(Guitar& g, int move) {
    if (!g.editor.markActive) btnsongentry_Click(g, kEditorMark);
    btnsongentry_Click(g, move);
}

}  // namespace

void keyCommand(Guitar& g, KeyCommand key) {
    if (modeBarKey(g, key)) return;
    if (g.app.appMode != kModeEditor || key == KeyCommand::PlayPause) {
        transportKey(g, key);
        return;
    }
    switch (key) {
        case KeyCommand::Back:
            btnsongentry_Click(g, kEditorBack);
            break;
        case KeyCommand::Next:
            btnsongentry_Click(g, kEditorNext);
            break;
        case KeyCommand::MarkBack:
            extendMark(g, kEditorBack);
            break;
        case KeyCommand::MarkNext:
            extendMark(g, kEditorNext);
            break;
        case KeyCommand::Insert:
            btnsongentry_Click(g, kEditorIns);
            break;
        case KeyCommand::Delete:
            btnsongentry_Click(g, kEditorDel);
            break;
        case KeyCommand::Save:
            btnsongentry_Click(g, kEditorSave);
            break;
        case KeyCommand::Copy:
            btnsongentry_Click(g, kEditorCopy);
            break;
        case KeyCommand::Paste:
            btnsongentry_Click(g, kEditorPaste);
            break;
        case KeyCommand::Undo:
            editorUndo(g);
            break;
        case KeyCommand::Redo:
            editorRedo(g);
            break;
        default:
            break;
    }
}

}  // namespace lutavo
