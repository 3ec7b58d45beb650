// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Value models of the window's controls. The core changes them; the Qt view draws them.
// Positions are in twips (15 twips to a pixel) as the program states them.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/colors.h"

namespace lutavo {

// Positions and sizes of controls are in twips; the screen shows 15 twips to a pixel.
inline constexpr int kTwipsPerPixel = 15;

struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Label {
    std::string caption;
    Color color = kColorAvailable;
    bool visible = true;
    Placement at;
    std::string tip;
};

struct Button {
    bool enabled = true;
    bool visible = true;
    bool pressed = false;  // drawn sunk (a toggle or a held button)
    Placement at;
    std::string tip;
};

// A scroll bar whose change handler runs only when the value really changes, as a real
// scroll bar raises its change event.
struct ScrollBar {
    int min = 0;
    int max = 1;
    int value = 0;
    bool visible = true;
    bool enabled = true;
    bool hasFocus = false;
    Placement at;
    std::string tip;

    // Sets the value, clamped into min..max; returns true when it changed.
    bool set(int v) {
        if (v < min) v = min;
        if (v > max) v = max;
        if (v == value) return false;
        value = v;
        return true;
    }
};

struct Panel {
    bool visible = true;
    Placement at;
};

struct PictureBox {
    bool visible = true;
    bool enabled = true;  // takes mouse input
    Placement at;
    std::string file;  // picture file shown, "" for one drawn by the program
    std::string tip;
};

struct TextBox {
    std::string text;
    bool visible = true;
    bool enabled = true;
    Placement at;
    std::string tip;
    // Raised each time the program gives the box the keyboard focus.
    int focusRequests = 0;
};

struct CheckBox {
    std::string caption;
    bool checked = false;
    bool visible = true;
    Placement at;
    std::string tip;
};

// A list of text lines, one of them selected (-1: none); each line may carry a tip of its own.
struct ListBox {
    std::vector<std::string> items;
    std::vector<std::string> itemTips;
    int selected = -1;
    bool visible = true;
    Placement at;
};

// A button showing a picture file rather than a caption.
struct PictureButton : Button {
    std::string file;
};

struct MenuItem {
    std::string caption;  // "-" is a separator
    bool checked = false;
    bool enabled = true;
    bool visible = true;
};

struct Menu {
    std::string caption;
    std::vector<MenuItem> items;
    // The control the menu drops from (its place in the window); none: the menu opens at the
    // mouse.
    std::optional<Placement> dropFrom;
};

enum class MousePointer { Normal, Hourglass };

// The mouse button of a press on a picture, as the handlers receive it.
enum MouseButton : int { kMouseLeft = 1, kMouseRight = 2, kMouseMiddle = 4 };

// A timer of the window. The view runs a real timer from this model; tests call tick by hand.
struct TimerModel {
    bool enabled = false;
    int interval = 0;  // milliseconds
    // The same interval to the microsecond, where a tempo needs finer steps than milliseconds;
    // an interval set in milliseconds since (winding) takes over.
    long long intervalMicros = 0;

    void setMicros(long long micros) {
        intervalMicros = micros;
        interval = static_cast<int>((micros + 500) / 1000);
    }
    long long micros() const {
        const bool fine = intervalMicros > 0 && (intervalMicros + 500) / 1000 == interval;
        return fine ? intervalMicros : interval * 1000LL;
    }
};

}  // namespace lutavo
