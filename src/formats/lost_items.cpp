// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/lost_items.h"

#include <limits>

namespace lutavo {

namespace {

// How each item is named: one of it, more of it, or (without a count) a kind of thing whose
// number says little, such as lyrics.
struct LostName {
    const char* one;
    const char* many;
    bool counted;
};

constexpr std::array<LostName, static_cast<std::size_t>(Lost::kCount)> kNames = {{
    {"slide", "slides", true},
    {"hammer-on", "hammer-ons", true},
    {"pull-off", "pull-offs", true},
    {"hammer-on or pull-off", "hammer-ons or pull-offs", true},
    {"vibrato", "vibratos", true},
    {"harmonic", "harmonics", true},
    {"grace note", "grace notes", true},
    {"trill", "trills", true},
    {"tremolo-picked note", "tremolo-picked notes", true},
    {"palm mute", "palm mutes", true},
    {"let-ring note", "let-ring notes", true},
    {"staccato", "staccatos", true},
    {"accent", "accents", true},
    {"strum", "strums", true},
    {"slap, pop or tap", "slaps, pops or taps", true},
    {"vibrato-bar dip", "vibrato-bar dips", true},
    {"dynamics", "dynamics", false},
    {"fingering", "fingerings", false},
    {"lyrics", "lyrics", false},
    {"chord name", "chord names", true},
    {"text", "texts", true},
    {"section marker", "section markers", true},
    {"sound change", "sound changes", true},
    {"note in another voice", "notes in other voices", true},
    {"note on a string past the sixth", "notes on strings past the sixth", true},
    {"note shorter than a 64th", "notes shorter than a 64th", true},
    {"note with no string free", "notes with no string free", true},
    {"note moved by an octave", "notes moved by an octave", true},
    {"tempo change", "tempo changes", true},
    {"time signature change", "time signature changes", true},
    {"key change", "key changes", true},
    {"D.C./D.S. jump", "D.C./D.S. jumps", true},
    {"tie over a line's end", "ties over a line's end", true},
    {"bar past the last part", "bars past the last part", true},
}};

}  // namespace

void LostItems::add(Lost what, int n) {
    int& c = counts_[static_cast<std::size_t>(what)];
    // A file can repeat a mark more often than an int counts; the message needs no more.
    c = n > std::numeric_limits<int>::max() - c ? std::numeric_limits<int>::max() : c + n;
}

void LostItems::merge(const LostItems& other) {
    for (std::size_t i = 0; i < counts_.size(); ++i)
        add(static_cast<Lost>(i), other.counts_[i]);
}

bool LostItems::empty() const {
    for (int c : counts_)
        if (c > 0) return false;
    return true;
}

std::string LostItems::message() const {
    std::string list;
    for (std::size_t i = 0; i < counts_.size(); ++i) {
        const int c = counts_[i];
        if (c <= 0) continue;
        const LostName& name = kNames[i];
        if (!list.empty()) list += ", ";
        if (!name.counted) {
            list += name.many;
        } else {
            list += std::to_string(c) + " " + (c == 1 ? name.one : name.many);
        }
    }
    return list.empty() ? "" : "Not kept: " + list;
}

}  // namespace lutavo
