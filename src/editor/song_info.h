// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The song-information panel: three text boxes for the title, the information line and the
// composer printed at the top of each page. It is not modal; each keystroke takes effect.

#include <string>

namespace lutavo {

struct Guitar;
struct WindowControls;
struct SongModel;
struct AppState;

// The title box's text before the user names the song.
inline constexpr const char* kPlaceholderTitle = "New Song";

// INFO: the panel comes into view and the title box takes the keyboard focus.
void showSongInfo(WindowControls& ui, AppState& app);

// The song's three texts on the labels above the page and in the song information panel.
void showSongTexts(const SongModel& song, WindowControls& ui);
// The same, and the title in the window's caption.
void showEditedSongTexts(const SongModel& song, WindowControls& ui);
// OK: the panel goes below the window and INFO shows as available again.
void btnsiok_Click(Guitar& g);

// The text boxes changed to text (each keystroke, and the box's own undo and redo). The song's
// undo takes a box's whole change as one step once the box is left.
void txtsititle_Change(Guitar& g, const std::string& text);
void txtsiinfo_Change(Guitar& g, const std::string& text);
void txtsicomp_Change(Guitar& g, const std::string& text);
// The keyboard focus left one of the boxes.
void songInfoField_Leave(Guitar& g);

}  // namespace lutavo
