#pragma once
// The transport row (REW, FFWD, PLAY, PAUSE, BACK, NEXT, STOP, REPEAT), the repeat menu, the
// output buttons (sound, metronome, setup) and locating a note by a click on the score.

namespace lutavo {

struct Guitar;

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

// Items of the repeat menu.
enum RepeatMenuItem : int { kRepeatMenuLine = 0, kRepeatMenuSong = 1, kRepeatMenuCancel = 2 };

// Output buttons and their labels.
enum OutputButton : int { kSoundButtonFirst = 2, kSoundButtonLast = 5, kSetupButton = 6 };
enum OutputLabel : int { kSetupLabel = 0, kSoundLabelIndex = 1, kMetroLabel = 2 };

// Captions and tips of the transport and output labels.
void setupTransportLabels(Guitar& g);

void playbtn_Click(Guitar& g, int index);
void playbtn_MouseDown(Guitar& g, int index);
void playbtn_MouseUp(Guitar& g, int index);

void mnuRepeatLine_Click(Guitar& g);
void mnuRepeatSong_Click(Guitar& g);
void mnuRepeatCancel_Click(Guitar& g);

// A new song replaces the one a repeat mode was set for: both modes go off without restoring the
// old song's note count or line duration into the new one.
void clearRepeatModes(Guitar& g);

void outbtn_Click(Guitar& g, int index);
void outbtn_MouseDown(Guitar& g, int index);
void outbtn_MouseUp(Guitar& g, int index);
void TempoBtn_Click(Guitar& g);

// Moves curNote to the note whose column lies under x (pixels) on the current page; pauses a
// running playback there, else sounds the note.
void locatenote(Guitar& g, int x);
// Mouse down / up on the notation or tablature picture.
void score_MouseDown(Guitar& g, int x);
void score_MouseUp(Guitar& g);

// True while the playback timer runs.
bool isPlaying(const Guitar& g);

}  // namespace lutavo
