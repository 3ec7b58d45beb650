// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form_design.h"

#include "core/control_ids.h"
#include "core/window_controls.h"
#include "editor/song_info.h"
#include "playback/settings_adjuster.h"

namespace lutavo {

namespace {

using namespace design;

constexpr int toTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

Placement px(int left, int top, int width, int height) {
    return {toTwips(left), toTwips(top), toTwips(width), toTwips(height)};
}

// The picture a box holds from the start, unless the program has already given it one.
void designPicture(PictureBox& box, const char* file, const char* tip) {
    if (box.file.empty()) box.file = file;
    if (box.tip.empty()) box.tip = tip;
}

// A text box's text as the window starts, unless the program has already given it one.
void designTextBox(TextBox& box, const char* text, const char* tip) {
    if (box.text.empty()) box.text = text;
    box.tip = tip;
}

struct EditorCommand {
    const char* caption;
    const char* tip;
};

constexpr EditorCommand kEditorCaptions[kEditorCommands] = {
    {"INS", "Insert a new note before the current note"},
    {"DEL", "Delete the current note (or marked notes)"},
    {"TIE", "Insert tied notes after the current note"},
    {"TRIPLET", "Clear everything/start over"},
    {"INFO", "Edit song info"},
    {"UNMARK", "Cancel MARK"},
    {"BEND", "Add a note bending up from the current note"},
    {"NEWLINE", "Start a new line after the current note"},
    {"SAVE", "Save this song to disk"},
    {"MARK", "Set start of marked notes for delete or copy operation"},
    {"COPY", "Set block end for copy opertion using PASTE"},
    {"PASTE", "Copy marked notes to current cursor location"},
    {"BACK", "Move to the left one note"},
    {"NEXT", "Advance to the next note"},
};

// The editor's buttons as the window starts: captioned, and unavailable until the editor opens
// (BACK and NEXT are set by the program as the first song loads).
void designEditorCommand(WindowControls& ui, int i) {
    Label& caption = ui.lblsongentry[i];
    Button& button = ui.btnsongentry[i];
    if (!caption.caption.empty()) return;
    caption.caption = kEditorCaptions[i].caption;
    button.tip = kEditorCaptions[i].tip;
    caption.color = kColorUnavailable;
    button.enabled = false;
}

void designToolbar(WindowControls& ui) {
    constexpr int kModeWidth = 58;
    for (int i = kModeBarSongs; i <= kModeBarPrint; ++i)
        ui.opt[i].at = px(4 + i * (kModeWidth + 2), kModeRowTop, kModeWidth, kRowHeight);
    ui.lblsong.at = px(432, kModeRowTop + 3, 152, 16);
    ui.btnlexit.at = px(591, kModeRowTop, 62, kRowHeight);

    constexpr int kTransportWidth = 52;
    for (int i = kRew; i <= kRepeat; ++i) {
        ui.playbtn[i].at =
            px(4 + i * (kTransportWidth + 2), kTransportRowTop, kTransportWidth, kRowHeight);
    }
    // BACK and NEXT without labels are commands only, never drawn.
    for (int i : {kQuietBack, kQuietNext})
        ui.playbtn[i].visible = false;
    for (int i = kSoundButtonFirst; i <= kSoundButtonLast; ++i)
        ui.outbtn[i].at = px(442, kTransportRowTop, 68, kRowHeight);
    ui.TempoBtn.at = px(512, kTransportRowTop, 72, kRowHeight);
    ui.mled.at = px(574, kTransportRowTop + 7, 7, 7);
    ui.outbtn[kSetupButton].at = px(586, kTransportRowTop, 67, kRowHeight);
    // Elements without a button of their own in this window.
    for (int i : {0, 1, 7})
        ui.outbtn[i].visible = false;
}

void designNeck(WindowControls& ui) {
    ui.fretboard.at = px(22, kNeckTop, 0, 0);
    ui.pnlStringLabels.at = px(2, kNeckTop, 19, 91);
    for (int i = 0; i <= 5; ++i)
        ui.StringName[i].at = {40, 1840 - 215 * i, 270, 210};
    ui.btntune.at = px(2, kFretLabelTop, 62, 10);
    ui.pnlfrettxt.at = px(22, kFretLabelTop, 634, 10);
    constexpr int kFretLabelLeft[10] = {1935, 3045, 3975, 4765, 5850, 6820, 7425, 8025, 8550, 9160};
    constexpr const char* kFretNumbers[10] = {"3",  "5",  "7",  "9",  "12",
                                              "15", "17", "19", "21", "24"};
    for (int k = 0; k <= 9; ++k) {
        ui.lblFret[k].at = {kFretLabelLeft[k], toTwips(kFretLabelTop), 690, 150};
        if (ui.lblFret[k].caption.empty()) ui.lblFret[k].caption = kFretNumbers[k];
    }
    // Out of view until a string is chosen.
    ui.pnlAdjTuning.at = {330, 8200, toTwips(62), toTwips(36)};
    ui.scrlAdjTuning.at = px(2, 2, 13, 32);
    ui.cmdtuneOK.at = px(17, 1, 43, 17);
    ui.cmdtunecancel.at = px(17, 19, 43, 16);
    // Inside the neck picture, in its pixels; the program sets the left for the capo's fret.
    ui.piccapo.at = {0, 0, 0, 0};
    designPicture(ui.piccapo, "piccapo.bmp", "");
    ui.keyboard.at = px(4, 394, 0, 0);
}

void designPage(WindowControls& ui) {
    ui.Pageframe.at = px(kPageLeft, kPageTop, kPageWidth, 201);
    ui.scrollpanel.at = px(0, 0, 17, 200);
    ui.pgScroll.at = px(0, 0, 17, 199);
    ui.pnlscore.at = {toTwips(kScorePanelLeft), 75, toTwips(601), 2670};
    ui.picscore.at = {0, -30, 0, 0};
    ui.pictab.at = {0, 1880, 0, 0};
    ui.pagepic.at = px(kScorePanelLeft, 0, 0, 0);
    ui.lbltitle.at = {toTwips(150), 3, toTwips(300), toTwips(16)};
    ui.lblleft.at = {toTwips(4), 1, toTwips(190), toTwips(14)};
    ui.lblright.at = {toTwips(406), 3, toTwips(190), toTwips(14)};
    ui.lbltrainer.at = {toTwips(450), toTwips(18), toTwips(120), toTwips(40)};
    ui.lbltrainer.visible = false;
    ui.lbltrainer.tip = "Speed trainer: T stops it";
    ui.pointer.at = {0, 2850, 0, 0};
    ui.vpointer.at = {0, 0, 0, 0};
    designPicture(ui.pointer, "pointer.bmp", "Current note");
    designPicture(ui.vpointer, "vpointer.bmp", "Current line");
    ui.lblnoteof.tip = "Current note";
    ui.lbloftotal.tip = "Total # of notes in song";
    // Appended rather than assigned: assigning "0" trips GCC 12's -Wrestrict at -O3.
    if (ui.lblnoteof.caption.empty()) ui.lblnoteof.caption.push_back('0');
}

// The lesson picture on the left; BACK, NEXT, the frame number and the frame scroll bar beside
// it.
void designLessonPanel(WindowControls& ui) {
    ui.NewLessonPic.at = px(4, 4, 240, 90);
    designPicture(ui.NewLessonPic, "defaultl.bmp", "");
    constexpr const char* kTips[] = {"Go to previous", "Go to next"};
    for (int i : {kLessonBack, kLessonNext}) {
        ui.lbutton[i].at = px(262 + i * 86, 14, 80, 26);
        ui.lbutton[i].tip = kTips[i];
    }
    ui.lbutton[kLessonIdle].visible = false;
    ui.lbllnum.at = px(452, 18, 40, 18);
    ui.lblltotal.at = px(522, 18, 40, 18);
    ui.lbllnum.tip = "Current frame";
    ui.lblltotal.tip = "Frames in this lesson";
    ui.lscroll.at = px(262, 56, 374, 16);
    ui.lscroll.min = 1;
}

void designLowerPanels(WindowControls& ui) {
    ui.pnlSongEntry.at = px(4, 353, 430, 41);
    for (int i = 0; i < kEditorCommands; ++i) {
        ui.btnsongentry[i].at = px(2 + (i % 7) * 61, 2 + (i / 7) * 19, 59, 18);
        designEditorCommand(ui, i);
    }
    for (int i = kEditorCommands; i <= ui.btnsongentry.upper; ++i)
        ui.btnsongentry[i].visible = false;

    ui.pnlswapcntl.at = px(kAdjusterLeft, 353, 210, 41);
    for (int i = 0; i <= 6; ++i) {
        const int slot = i == 6 ? 5 : i;
        ui.btnSwapper[i].at = px(2 + (slot % 3) * 69, 2 + (slot / 3) * 19, 67, 18);
    }
    ui.pnlswapper.at = px(kAdjusterLeft, 394, 210, 58);
    // Volume and tempo read out under the scale, inside the adjuster.
    ui.voltxt.at = px(30, 42, 30, 14);
    ui.tempotxt.at = px(110, 42, 36, 14);
    ui.tempopct.at = px(150, 42, 40, 14);
    ui.tempopct.tip = "Practice speed: Ctrl+Up / Ctrl+Down";
    ui.tempopct.caption = "100%";
    ui.PicSwapper.at = {kScaleLeft, toTwips(1), 0, 0};
    ui.lpointer.at = {0, toTwips(32), kSlotPointerWidth, kSlotPointerHeight};
    designPicture(ui.lpointer, "lpointer.bmp", "");

    // Shown by the lesson player; in the other modes its top would lie over the page.
    ui.pnllesson.at = px(4, 296, 649, 98);
    ui.pnllesson.visible = false;
    designLessonPanel(ui);
    ui.pnlsonginfo.at = px(0, 0, 657, 59);
    ui.txtsititle.at = px(8, 20, 230, 22);
    ui.txtsiinfo.at = px(246, 20, 170, 22);
    ui.txtsicomp.at = px(424, 20, 170, 22);
    ui.btnsiok.at = px(602, 20, 48, 22);
    designTextBox(ui.txtsititle, kPlaceholderTitle, "Song Title displays at top center");
    designTextBox(ui.txtsiinfo, "Standard tuning", "This text displays at top left");
    designTextBox(ui.txtsicomp, "Lutavo", "This text displays at top right");
}

void designStatus(WindowControls& ui) {
    // Positions inside the status strip along the window's bottom edge.
    ui.lblnoteof.at = px(34, 4, 34, 16);
    ui.lbloftotal.at = px(86, 4, 34, 16);
    ui.ScrlNpntr.at = px(126, 5, 200, 14);
    ui.lblcopybuff.at = px(336, 4, 120, 16);
    if (ui.lblcopybuff.caption.empty()) ui.lblcopybuff.caption = "COPY BUFFER=0";
}

}  // namespace

void designForm(WindowControls& ui) {
    designToolbar(ui);
    designNeck(ui);
    designPage(ui);
    designLowerPanels(ui);
    designStatus(ui);
}

}  // namespace lutavo
