// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/keys.h"

#include <array>

#include "core/key_state.h"

namespace lutavo {

namespace {

// Pitch classes as notation pitch mod 12, the index of the accidental tables.
enum SignClass : int { kB, kC, kCs, kD, kDs, kE, kF, kFs, kG, kGs, kA, kAs };

constexpr int kMaxSignatureCount = 7;
constexpr int kOctaves = 5;
constexpr double kOctaveRise = 24.6;  // pixels one octave climbs on the staff picture

// One accidental of a key signature: the natural it alters and the pitch class it produces.
struct SignatureStep {
    int alteredNatural;
    int alteredClass;
};

// E# and B# land on the naturals F and C, Cb and Fb on B and E.
constexpr std::array<SignatureStep, kMaxSignatureCount> kSharpOrder = {
    {{kF, kFs}, {kC, kCs}, {kG, kGs}, {kD, kDs}, {kA, kAs}, {kE, kF}, {kB, kC}}};
constexpr std::array<SignatureStep, kMaxSignatureCount> kFlatOrder = {
    {{kB, kAs}, {kE, kDs}, {kA, kGs}, {kD, kCs}, {kG, kFs}, {kC, kB}, {kF, kE}}};

// The spelling of a key family: black-key names from E upwards and staff heights from C.
struct Spelling {
    std::array<const char*, 12> names;  // pitch class from E
    std::array<i16, 12> staffBase;      // pitch class from C
    i16 accidentalGlyph;
    i16 nameGlyphOffset;
    const std::array<SignatureStep, kMaxSignatureCount>* order;
};

// A sharp shares the staff line of the note below it, a flat the line of the note above.
constexpr Spelling kSharpSpelling = {
    {"E ", "F ", "F#", "G ", "G#", "A ", "A#", "B ", "C ", "C#", "D ", "D#"},
    {105, 105, 102, 102, 98, 95, 95, 91, 91, 88, 88, 84},
    5,
    0,
    &kSharpOrder};
constexpr Spelling kFlatSpelling = {
    {"E ", "F ", "Gb", "G ", "Ab", "A ", "Bb", "B ", "C ", "Db", "D ", "Eb"},
    {106, 102, 102, 99, 99, 95, 91, 91, 88, 88, 84, 84},
    0,
    12,
    &kFlatOrder};

bool isBlackKey(int signClass) {
    return signClass == kCs || signClass == kDs || signClass == kFs || signClass == kGs ||
           signClass == kAs;
}

// Pitch class c (counted from C) on the staff from the height `base` of its lowest octave.
void placeOnStaff(KeyState& keys, int c, double base) {
    keys.staffBase[c] = toInt16(base);
    for (int octave = 0; octave < kOctaves; ++octave)
        keys.staffY[c + 1 + 12 * octave] = toInt16(base - kOctaveRise * octave);
}

// The sign the key's signature gives a letter's line (0 C .. 6 B): 1, -1 or 0.
int signatureSign(int songKey, int letter) {
    constexpr std::array<int, 7> kLetterSignClass = {kC, kD, kE, kF, kG, kA, kB};
    const bool sharps = sharpKey(songKey);
    const auto& order = sharps ? kSharpOrder : kFlatOrder;
    const int count = signatureCount(songKey);
    for (int i = 0; i < count; ++i) {
        if (order[static_cast<std::size_t>(i)].alteredNatural ==
            kLetterSignClass[static_cast<std::size_t>(letter)])
            return sharps ? 1 : -1;
    }
    return 0;
}

}  // namespace

int signatureCount(int songKey) {
    const int count = sharpKey(songKey) ? (songKey - 1) / 2 : songKey / 2;
    return clampTo(count, 0, kMaxSignatureCount);
}

KeyState::KeyState() {
    applyKey(*this, 1);
}

void applyKey(KeyState& keys, int songKey) {
    const Spelling& spelling = sharpKey(songKey) ? kSharpSpelling : kFlatSpelling;

    for (int c = 0; c < 12; ++c) {
        keys.accidentalNeeded[c] = isBlackKey(c);
        keys.naturalNeeded[c] = false;
        keys.noteName[c] = spelling.names[static_cast<std::size_t>(c)];
    }
    keys.accidentalGlyph.fill(spelling.accidentalGlyph);
    keys.nameGlyphOffset.fill(spelling.nameGlyphOffset);

    const int count = signatureCount(songKey);
    for (int i = 0; i < count; ++i) {
        const SignatureStep& step = (*spelling.order)[static_cast<std::size_t>(i)];
        keys.naturalNeeded[step.alteredNatural] = true;
        keys.accidentalNeeded[step.alteredClass] = false;
    }
    for (int c = 0; c < 12; ++c)
        placeOnStaff(keys, c, spelling.staffBase[static_cast<std::size_t>(c)]);
}

void writeTonesAsSpelled(KeyState& keys, int songKey, std::span<const SpelledTone> tones) {
    constexpr std::array<int, 7> kLetterClass = {0, 2, 4, 5, 7, 9, 11};
    const auto lines = keys.staffBase;  // the key's own line of every plain letter
    for (const SpelledTone& tone : tones) {
        const int c = (tone.pitchClass + 4) % 12;  // counted from C
        const int letter = tone.written.letter;
        const int alteration = tone.written.alteration;
        const int natural = kLetterClass[static_cast<std::size_t>(letter)];
        // B# sounds in the octave above its line, Cb in the octave below.
        const int octaveShift = natural + alteration > 11 ? -1 : (natural + alteration < 0 ? 1 : 0);
        placeOnStaff(keys, c, lines[natural] - kOctaveRise * octaveShift);

        const int signIndex = (c + 1) % 12;
        const bool needsSign = alteration != signatureSign(songKey, letter);
        keys.accidentalNeeded[signIndex] = needsSign && alteration != 0;
        keys.naturalNeeded[signIndex] = needsSign && alteration == 0;
        if (alteration != 0) {
            keys.accidentalGlyph[signIndex] =
                alteration > 0 ? kSharpSpelling.accidentalGlyph : kFlatSpelling.accidentalGlyph;
            keys.nameGlyphOffset[tone.pitchClass] =
                alteration > 0 ? kSharpSpelling.nameGlyphOffset : kFlatSpelling.nameGlyphOffset;
        }
    }
}

std::string noteNameOf(const KeyState& keys, int pitch) {
    std::string name = keys.noteName[((pitch % 12) + 12) % 12];
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

}  // namespace lutavo
