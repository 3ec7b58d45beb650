#pragma once
// Guitar is the main window's state: the song, every control model, the timers and the
// configuration. Every handler of the program takes a Guitar&.

#include "app/app_state.h"
#include "app/controls.h"
#include "app/window_controls.h"
#include "config/config_state.h"
#include "display/display_state.h"
#include "display/neck_state.h"
#include "platform/services.h"
#include "playback/playback_state.h"
#include "song/song_model.h"
#include "theory/key_state.h"
#include "tuning/tuning_state.h"

namespace lutavo {

struct Guitar {
    SongModel song;
    AppState app;
    ConfigState config;
    KeyState keys;
    TuningState tuning;
    DisplayState display;
    NeckState neck;
    PlaybackState playback;
    WindowControls ui;

    TimerModel ntimer;  // playback timer
    TimerModel gtimer;  // window timer

    Services sys;
};

}  // namespace lutavo
