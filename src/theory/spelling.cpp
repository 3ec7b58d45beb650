// SPDX-License-Identifier: GPL-3.0-or-later
#include "theory/spelling.h"

#include <array>

#include "theory/chord_types.h"

namespace lutavo {

namespace {

constexpr int kLetters = 7;
constexpr std::array<char, kLetters> kLetterNames = {'C', 'D', 'E', 'F', 'G', 'A', 'B'};
// The pitch class of each plain letter, counted from C.
constexpr std::array<int, kLetters> kLetterClass = {0, 2, 4, 5, 7, 9, 11};
// Pitch classes counted from E are this far from those counted from C.
constexpr int kEFromC = 4;

int wrap12(int n) {
    return (n % 12 + 12) % 12;
}

int letterClass(int letter) {
    return kLetterClass[static_cast<std::size_t>((letter % kLetters + kLetters) % kLetters)];
}

// The sign that writes pitch class `fromC` with `letter`, -6..5.
int alterationFor(int letter, int fromC) {
    const int up = wrap12(fromC - letterClass(letter));
    return up > 5 ? up - 12 : up;
}

WrittenNote readName(std::string_view name) {
    WrittenNote note;
    for (int l = 0; l < kLetters; ++l) {
        if (!name.empty() && name[0] == kLetterNames[static_cast<std::size_t>(l)]) note.letter = l;
    }
    for (char c : name.substr(name.empty() ? 0 : 1))
        note.alteration += c == '#' ? 1 : (c == 'b' ? -1 : 0);
    return note;
}

// Pitch class `fromC` written with the letter `degreeSteps` letters above the root's.
WrittenNote writeWith(int rootLetter, int degreeSteps, int fromC) {
    WrittenNote note{(rootLetter + degreeSteps) % kLetters, 0};
    note.alteration = alterationFor(note.letter, fromC);
    if (note.alteration > 1 || note.alteration < -1) {
        note.letter = (note.letter + (note.alteration > 0 ? 1 : kLetters - 1)) % kLetters;
        note.alteration = alterationFor(note.letter, fromC);
    }
    return note;
}

}  // namespace

std::vector<SpelledTone> spellFormula(std::string_view formula, std::string_view rootName) {
    const WrittenNote root = readName(rootName);
    const int rootFromC = wrap12(letterClass(root.letter) + root.alteration);
    const std::vector<FormulaDegree> degrees = formulaDegrees(formula);
    const std::vector<int> semitones = formulaSemitones(formula);
    std::vector<SpelledTone> tones;
    for (std::size_t i = 0; i < degrees.size(); ++i) {
        const int fromC = wrap12(rootFromC + semitones[i]);
        const int steps = ((degrees[i].degree - 1) % kLetters + kLetters) % kLetters;
        tones.push_back({wrap12(fromC - kEFromC), writeWith(root.letter, steps, fromC)});
    }
    return tones;
}

std::string writtenName(const WrittenNote& note) {
    std::string name(1, kLetterNames[static_cast<std::size_t>(note.letter % kLetters)]);
    if (note.alteration != 0) name += note.alteration > 0 ? '#' : 'b';
    return name;
}

std::string writtenNames(const std::vector<SpelledTone>& tones) {
    std::string names;
    for (const SpelledTone& t : tones)
        names += (names.empty() ? "" : " ") + writtenName(t.written);
    return names;
}

}  // namespace lutavo
