#include "app/mode_bar.h"

#include "app/data_files.h"
#include "app/guitar.h"
#include "song/song_file.h"

namespace lutavo {

namespace {

constexpr int kWindowTimerInterval = 3000;
constexpr int kEditorBack = 12;
constexpr int kEditorNext = 13;
constexpr int kLeadInScaleSlots = 9;

void showLeadInScale(Guitar& g) {
    g.playback.swapperMode = 5;
    g.ui.PicSwapper.file = files::kScaleLeadIn;
    g.playback.swapperPos = static_cast<i16>(kLeadInScaleSlots - g.config.defaultLeadIn);
}

}  // namespace

void closesong(Guitar& g) {
    g.gtimer.interval = kWindowTimerInterval;
    g.app.lessonRequest.clear();
    for (int i = 0; i <= 5; ++i) g.ui.opttxt[i].color = kColorAvailable;
    for (int i : {kEditorBack, kEditorNext}) {
        g.ui.lblsongentry[i].color = kColorUnavailable;
        g.ui.btnsongentry[i].enabled = false;
    }
    if (g.app.appMode < kModeEditor) loadsong(g, g.app.appFolder + files::kIntroSong);
    g.app.appMode = kModeSongs;
    showLeadInScale(g);
}

}  // namespace lutavo
