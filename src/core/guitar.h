// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Guitar is the main window's state: the song, every control model, the timers and the
// configuration. Every handler of the program takes a Guitar&.

#include "base/controls.h"
#include "core/app_state.h"
#include "core/config_state.h"
#include "core/display_state.h"
#include "core/editor_state.h"
#include "core/key_state.h"
#include "core/library_state.h"
#include "core/neck_state.h"
#include "core/playback_state.h"
#include "core/practice_state.h"
#include "core/setup_controls.h"
#include "core/transport_state.h"
#include "core/tuning_state.h"
#include "core/window_controls.h"
#include "platform/services.h"
#include "song/song_model.h"

namespace lutavo {

struct Guitar {
    SongModel song;
    TransportState transport;
    AppState app;
    ConfigState config;
    KeyState keys;
    TuningState tuning;
    DisplayState display;
    NeckState neck;
    PlaybackState playback;
    EditorState editor;
    LibraryState library;
    PracticeState practice;
    WindowControls ui;
    SetupWindow setup;  // LTsetup

    TimerModel ntimer;  // playback timer
    TimerModel gtimer;  // window timer
    TimerModel ltimer;  // listening timer: the tuner's needle follows the input

    Services sys;
};

}  // namespace lutavo
