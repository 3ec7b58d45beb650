#pragma once
// Every control of the main window, under the names the program gives them. Rows of like
// controls are control arrays addressed by index.

#include <string>

#include "app/controls.h"
#include "base/fixed_array.h"

namespace lutavo {

struct MainForm {
    std::string caption = "Lutavo";
    Placement at;  // twips
    MousePointer mousePointer = MousePointer::Normal;
    bool minimized = false;
    bool maximized = false;
};

// A button that shows a text of its own (the tuner's string names, OK, DEF).
struct CaptionButton : Button {
    std::string caption;
};

// A panel with a tooltip (the tuner's adjustment panel).
struct TipPanel : Panel {
    std::string tip;
};

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

    // Pop-up menus of the sound buttons and of REPEAT.
    Menu mnuSound;
    Menu mnuRepeat;
    // Pop-up menus of the mode bar's CHORDS and PRINT buttons.
    Menu mnuchords;
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
    Panel pnlSongEntry;
    FixedArray<Button, 0, 15> btnsongentry;
    FixedArray<Label, 0, 15> lblsongentry;
    Panel pnlsonginfo;
    TextBox txtsititle;
    TextBox txtsiinfo;
    TextBox txtsicomp;

    // Tuner: one button per string slot (element 0 = slot 1, the lowest string) showing the
    // string's note name, the adjustment panel beside the string being tuned, and the reset.
    FixedArray<CaptionButton, 0, 5> StringName;
    TipPanel pnlAdjTuning;
    ScrollBar scrlAdjTuning;
    CaptionButton cmdtuneOK;
    CaptionButton cmdtunecancel;
    Button btntune;
};

}  // namespace lutavo
