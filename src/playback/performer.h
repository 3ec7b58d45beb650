// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window plays the events of a performance: messages go to the MIDI device, clicks to the
// wave player, and the display follows the cursor events (the note presented, page turns, the
// line pointer, the metronome lamp and the lead-in's pointer).

#include <optional>
#include <string>

#include "playback/play_tick.h"

namespace lutavo {

struct Guitar;

// How a note is presented: only shown (what sounds on its strings stops), or shown and sounded.
enum NoteMode : int { kShowOnly = 0, kSound = 1 };

// The settings the window plays with now: the sound as the device was opened for it, the
// song's tuning, tempo and metronome, the lead-in (none in the editor and the libraries), the
// play range and the pages shown.
PlaybackSettings liveSettings(const Guitar& g);

// Carries out events in their order.
void perform(Guitar& g, const TickEvents& events);

// Presents the note at curNote, passing an end-of-page note and a line marker first: shown, and
// sounded with kSound.
void presentNote(Guitar& g, int mode);

// Plays the metronome's click clip.
void playClick(Guitar& g);

// The click clip of a song: the program's own, else one the song brings beside it; nothing when
// neither file is there.
std::optional<std::string> clickClipPath(const std::string& appFolder, const SongModel& song);

// Lamp colours of the metronome.
inline constexpr unsigned kLampDark = 0x000080;
inline constexpr unsigned kLampLit = 0x0000FF;

}  // namespace lutavo
