// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The course's pictures: text pages shown in the page area (601 x 198, a heading, a paragraph
// and a diagram), and the small hints shown in the lesson panel (240 x 90).

#include <QImage>
#include <array>

#include "fonts.h"

namespace lutavo::assetgen {

inline constexpr int kLessonPageWidth = 601;
inline constexpr int kLessonPageHeight = 198;
inline constexpr int kLessonHintWidth = 240;
inline constexpr int kLessonHintHeight = 90;

// A chord shape, string slot 1 (the low E string) first: the fret pressed (0 open, -1 not
// played) and the finger that presses it (1 index .. 4 little finger, 0 none).
struct ChordShape {
    const char* name;
    std::array<int, 6> frets;
    std::array<int, 6> fingers;
};

enum class Diagram {
    None,
    StaffOverTab,
    TabStrings,
    FretNumbers,
    ChordColumn,
    StaffPitches,
    NoteLengths,
    Transport,
    OpenStrings,
    PegTurn,
    TunerPanel,
    FifthFret,
    Chord,
    ChordChanges,
    Beats,
    MetroButtons,
    RepeatLine,
    MelodyTab,
};

struct LessonPage {
    const char* fileName;
    const char* heading;
    const char* text;
    Diagram diagram = Diagram::None;
    const ChordShape* chord = nullptr;  // for Diagram::Chord
};

// What a hint shows on its left: a chord, one string of the six, or a button to press.
enum class HintMark { Chord, String, Button };

struct LessonHint {
    const char* fileName;
    const char* caption;
    const char* text;
    HintMark mark;
    const ChordShape* chord = nullptr;  // HintMark::Chord
    int stringNumber = 0;               // HintMark::String: 1 (high E) .. 6 (low E)
    const char* button = nullptr;       // HintMark::Button: the button's caption
};

// A null image when the text does not fit the page, so the build stops on it.
QImage drawLessonPage(const Fonts& fonts, const LessonPage& page);
QImage drawLessonHint(const Fonts& fonts, const LessonHint& hint);

}  // namespace lutavo::assetgen
