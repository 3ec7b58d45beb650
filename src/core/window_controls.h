// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every control of the main window, under the names the program gives them. Rows of like
// controls are control arrays addressed by index.

#include <string>

#include "base/controls.h"
#include "base/fixed_array.h"

namespace lutavo {

struct MainForm {
    std::string caption = "Lutavo";
    Placement at;  // twips
    MousePointer mousePointer = MousePointer::Normal;
    bool minimized = false;
    bool maximized = false;
    // The window's zoom in use: the configured one, or the largest step below it whose window
    // fits the screen.
    int zoomPercent = 100;
    // Pixels the window may take on its screen (its frame left out); 0 while not known.
    int screenWidth = 0;
    int screenHeight = 0;
};

// A button that shows a text of its own (the tuner's string names, OK, DEF).
struct CaptionButton : Button {
    std::string caption;
};

// A panel with a tooltip (the tuner's adjustment panel).
struct TipPanel : Panel {
    std::string tip;
};

// The tuner's adjustment panel waits below the visible area until a string button calls it.
inline constexpr int kTunerPanelHiddenTop = 8200;
// The tuner's scroll bar raises or lowers a string by up to this many semitones.
inline constexpr int kTunerMaxAdjustment = 6;

// The tuner's string buttons, element 0 for slot 1 (the 6th string) up to element 5.
inline FixedArray<CaptionButton, 0, 5> tunerStringButtons() {
    constexpr const char* kTips[] = {"Adjust tuning of 6th string", "Adjust tuning of 5th string",
                                     "Adjust tuning of 4th string", "Adjust tuning of 3rd string",
                                     "Adjust tuning of 2nd string", "Adjust tuning of 1st string"};
    FixedArray<CaptionButton, 0, 5> row;
    for (int i = 0; i <= 5; ++i)
        row[i].tip = kTips[i];
    return row;
}

inline Button tipButton(const char* tip) {
    Button b;
    b.tip = tip;
    return b;
}

inline CaptionButton captionButton(const char* caption, const char* tip) {
    CaptionButton b;
    b.caption = caption;
    b.tip = tip;
    return b;
}

inline TipPanel tunerPanel() {
    TipPanel p;
    p.at.top = kTunerPanelHiddenTop;
    p.tip = "Adjust tuning up or down";
    return p;
}

// The top end raises the string: the value is the negated offset.
inline ScrollBar tunerScrollBar() {
    ScrollBar b;
    b.min = -kTunerMaxAdjustment;
    b.max = kTunerMaxAdjustment;
    return b;
}

struct WindowControls {
    MainForm form;

    // Mode bar.
    FixedArray<Button, 0, 6> opt;
    FixedArray<Label, 0, 6> opttxt;

    // Transport row: REW, FFWD, PLAY, PAUSE, BACK, NEXT, STOP, REPEAT, and two more.
    FixedArray<Button, 0, 9> playbtn;
    FixedArray<Label, 0, 9> playtxt;

    // Output buttons: sound, metronome, setup, and one per sound.
    FixedArray<Button, 0, 7> outbtn;
    FixedArray<Label, 0, 7> outtxt;

    // Texts above the page.
    Label lbltitle;
    Label lblleft;
    Label lblright;
    // The speed trainer's speed, large enough to read from the guitar, while it runs.
    Label lbltrainer;
    Label lblsong;
    Label lblcopybuff;

    // Close / exit button.
    Button btnlexit;
    Label lbllexit;

    // Page area.
    Panel Pageframe;
    Panel pnlscore;
    PictureBox pagepic;
    Panel scrollpanel;
    ScrollBar pgScroll;
    ScrollBar ScrlNpntr;
    Label lblnoteof;
    Label lbloftotal;
    PictureBox pointer;
    PictureBox vpointer;
    // The two page pictures inside pnlscore (the chord library moves them).
    PictureBox picscore;
    PictureBox pictab;

    // Neck and keyboard.
    PictureBox fretboard;
    PictureBox keyboard;
    PictureBox piccapo;
    FixedArray<Label, 0, 9> lblFret;  // fret numbers under the neck
    Panel pnlStringLabels;
    Panel pnlfrettxt;

    // Metronome: the lamp (its colour is the fill), the button, volume and tempo captions.
    Label mled;
    Button TempoBtn;
    Label voltxt;
    Label tempotxt;
    Label tempopct;  // the play's speed in percent of the song's tempo

    // Pop-up menus of the sound buttons and of REPEAT.
    Menu mnuSound;
    Menu mnuRepeat;
    // Pop-up menus of the mode bar's CHORDS, SCALES and PRINT buttons.
    Menu mnuchords;
    Menu mnuscales;
    Menu mnuPrint;

    // Settings adjuster.
    Panel pnlswapper;
    Panel pnlswapcntl;
    PictureBox PicSwapper;
    PictureBox lpointer;
    FixedArray<Button, 0, 6> btnSwapper;
    FixedArray<Label, 0, 6> lblswapper;

    // Panels that come and go.
    Panel pnllesson;
    PictureBox NewLessonPic;
    // The lesson's frame scroll bar, its frame number and count, and the ribbon of BACK, NEXT
    // and the element that holds the ribbon's pressed state while neither is down.
    ScrollBar lscroll;
    Label lbllnum;
    Label lblltotal;
    FixedArray<Button, 0, 2> lbutton;
    Panel pnlSongEntry;
    FixedArray<Button, 0, 15> btnsongentry;
    FixedArray<Label, 0, 15> lblsongentry;
    Panel pnlsonginfo;
    TextBox txtsititle;
    TextBox txtsiinfo;
    TextBox txtsicomp;
    Button btnsiok;

    // Tuner: one button per string slot (element 0 = slot 1, the lowest string) showing the
    // string's note name, the adjustment panel beside the string being tuned, and the reset,
    // whose caption names the tuning in force.
    FixedArray<CaptionButton, 0, 5> StringName = tunerStringButtons();
    TipPanel pnlAdjTuning = tunerPanel();
    ScrollBar scrlAdjTuning = tunerScrollBar();
    CaptionButton cmdtuneOK = captionButton("OK", "Done with tuning");
    CaptionButton cmdtunecancel = captionButton("DEF", "Cancel tuning changes");
    CaptionButton btntune = captionButton("STANDARD", "Reset to Standard EADGBE tuning");
};

}  // namespace lutavo
