// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own files, opened by name from appFolder (or dataFolder for the neck pictures).

namespace lutavo::files {

inline constexpr const char* kIntroSong = "intro01.snx";
inline constexpr const char* kNewSong = "newsong.snx";
inline constexpr const char* kTuningSong = "tuning.snx";
// The sample songs that come with the program, a folder inside appFolder.
inline constexpr const char* kSampleSongsFolder = "songs/";
inline constexpr const char* kConfig = "ltmidi32.cfg";

inline constexpr const char* kTickClip = "tick.wav";
inline constexpr const char* kLoadClip = "lclick.wav";
inline constexpr const char* kWelcomeClip = "bob5.wav";

inline constexpr const char* kScaleTimeSig = "timesig.bmp";
inline constexpr const char* kScaleKey = "key.bmp";
inline constexpr const char* kScaleCapo = "editcapo.bmp";
inline constexpr const char* kScaleVolume = "vol10.bmp";
inline constexpr const char* kScaleTempo = "tempo.bmp";
inline constexpr const char* kScaleLeadIn = "ldefaul4.bmp";
inline constexpr const char* kScaleNoteLength = "edit3.bmp";

// The setup window's pictures of the four sounds, in the order of the sounds.
inline constexpr const char* kSoundPictures[4] = {"sndnylon.bmp", "sndacous.bmp", "sndelect.bmp",
                                                  "sndodriv.bmp"};

inline constexpr const char* kChordTypes = "ch_all.bmp";
inline constexpr const char* kScaleTypes = "sc_all.bmp";
inline constexpr const char* kDefaultLessonPicture = "defaultl.bmp";

// Page backgrounds and the glyph sheets the score is drawn from.
inline constexpr const char* kScoreBackground = "picscore.bmp";
inline constexpr const char* kTabBackground = "pictab.bmp";
inline constexpr const char* kNoteGlyphs = "picnotes.bmp";
inline constexpr const char* kFretGlyphs = "pictabno.bmp";
inline constexpr const char* kHeldFretGlyphs = "pictabnx.bmp";

inline constexpr const char* kNeckRight = "fretnew.bmp";
inline constexpr const char* kNeckLeft = "fretrev.bmp";

// Neck markers and the keyboard, from appFolder.
inline constexpr const char* kFingers = "picfingers.bmp";
inline constexpr const char* kFingersHeld = "picfingx.bmp";
inline constexpr const char* kKeyboard = "keyboard.bmp";
inline constexpr const char* kKeyDown = "keydown.bmp";

}  // namespace lutavo::files
