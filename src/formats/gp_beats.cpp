// SPDX-License-Identifier: GPL-3.0-or-later
// The beats of a binary tablature file: durations, notes and the effects around them. Effects a
// song cannot hold are read past and counted.

#include <array>

#include "formats/gp_stream.h"
#include "formats/text_encoding.h"

namespace lutavo::gp {

namespace {

// Beat flags.
constexpr int kDotted = 0x01;
constexpr int kChordDiagram = 0x02;
constexpr int kBeatText = 0x04;
constexpr int kBeatEffects = 0x08;
constexpr int kMixTable = 0x10;
constexpr int kTuplet = 0x20;
constexpr int kStatus = 0x40;
constexpr int kStatusEmpty = 0;
constexpr int kStatusRest = 2;

// Note flags.
constexpr int kNoteDuration = 0x01;  // 3 and 4: own length; 5: a length in per cent
constexpr int kHeavyAccent = 0x02;
constexpr int kNoteEffects = 0x08;
constexpr int kDynamic = 0x10;
constexpr int kNoteKind = 0x20;
constexpr int kAccent = 0x40;
constexpr int kFingering = 0x80;
constexpr int kKindTie = 2;
constexpr int kKindDead = 3;
constexpr int kForte = 6;  // the velocity step a note has unless it says otherwise

// The byte size of a chord diagram after its first byte, for versions 4 and 5 and for the
// newer diagrams of version 3.
constexpr std::size_t kChordDiagramBytes = 106;
constexpr std::size_t kChordDiagramBytesThree = 124;

// Length in units of the duration byte (-2 whole .. 4 sixty-fourth).
long baseLength(int code) {
    return 4 * score::kQuarter >> (code + 2);
}

// The notes a tuplet is played in the time of: the next lower power of two.
long tupletSpace(long n) {
    long space = 1;
    while (space * 2 < n)
        space *= 2;
    return space;
}

// A bend: its kind, its height and a curve of points. True when the string rises at all.
bool readBend(Stream& s) {
    s.r.skip(5);
    const int points = s.r.count(0, kMaxBendPoints, "bend points");
    bool rises = false;
    for (int i = 0; i < points && s.r.ok(); ++i) {
        s.r.skip(4);
        if (s.r.i32() > 0) rises = true;
        s.r.skip(1);
    }
    return rises;
}

void skipChordDiagram(Stream& s) {
    const bool newer = s.r.u8() != 0;
    if (s.isFive() || (newer && !s.isThree())) {
        s.r.skip(kChordDiagramBytes);
    } else if (newer) {
        s.r.skip(kChordDiagramBytesThree);
    } else {
        s.intByteString();
        if (s.r.i32() != 0) s.r.skip(6 * 4);
    }
}

void readBeatEffects(Stream& s, LostItems& lost) {
    const int f1 = s.r.u8();
    const int f2 = s.isThree() ? 0 : s.r.u8();
    if (f1 & 0x03) lost.add(Lost::Vibrato);
    if (s.isThree() && (f1 & 0x0C)) lost.add(Lost::Harmonic);
    if (f1 & 0x20) {
        const int kind = s.r.u8();
        if (s.isThree()) s.r.skip(4);
        lost.add(kind == 0 ? Lost::BarDip : Lost::SlapPop);
    }
    if (f2 & 0x04) {
        readBend(s);
        lost.add(Lost::BarDip);
    }
    if (f1 & 0x40) {
        s.r.skip(2);
        lost.add(Lost::Strum);
    }
    if (f2 & 0x01) lost.add(Lost::Strum);
    if (f2 & 0x02) s.r.skip(1);
}

// A change of sound, volume or tempo; the tempo is kept where the song can take it.
void readMixTable(Stream& s, LostItems& lost, double& tempoChange) {
    const int instrument = s.r.i8();
    if (s.isFive()) s.r.skip(16);
    std::array<int, 6> values{};
    bool changes = instrument >= 0;
    for (int& v : values) {
        v = s.r.i8();
        changes = changes || v >= 0;
    }
    if (s.isFive()) s.intByteString();
    const int tempo = s.r.i32();
    for (int v : values)
        if (v >= 0) s.r.skip(1);
    if (tempo >= 0) s.r.skip(s.isFiveTen() ? 2 : 1);
    if (!s.isThree()) s.r.skip(1);
    if (s.isFive()) s.r.skip(1);
    if (s.isFiveTen()) {
        s.intByteString();
        s.intByteString();
    }
    if (changes) lost.add(Lost::SoundChange);
    if (tempo > 0) tempoChange = tempo;
}

void readNoteEffects(Stream& s, score::Note& note, LostItems& lost) {
    const int f1 = s.r.u8();
    const int f2 = s.isThree() ? 0 : s.r.u8();
    if (f1 & 0x01) note.bend = readBend(s);
    if (f1 & 0x10) {
        s.r.skip(s.isFive() ? 5 : 4);
        lost.add(Lost::GraceNote);
    }
    if (f1 & 0x02) lost.add(Lost::Legato);
    if (s.isThree() && (f1 & 0x04)) lost.add(Lost::Slide);
    if (f1 & 0x08) lost.add(Lost::LetRing);
    if (f2 & 0x04) {
        s.r.skip(1);
        lost.add(Lost::TremoloPicking);
    }
    if (f2 & 0x08) {
        s.r.skip(1);
        lost.add(Lost::Slide);
    }
    if (f2 & 0x10) {
        const int kind = s.r.u8();
        if (s.isFive() && kind == 2) s.r.skip(3);
        if (s.isFive() && kind == 3) s.r.skip(1);
        lost.add(Lost::Harmonic);
    }
    if (f2 & 0x20) {
        s.r.skip(2);
        lost.add(Lost::Trill);
    }
    if (f2 & 0x01) lost.add(Lost::Staccato);
    if (f2 & 0x02) lost.add(Lost::PalmMute);
    if (f2 & 0x40) lost.add(Lost::Vibrato);
}

score::Note readNote(Stream& s, int string, LostItems& lost) {
    score::Note note;
    note.string = string;
    const int flags = s.r.u8();
    const int kind = (flags & kNoteKind) ? s.r.u8() : 1;
    if (!s.isFive() && (flags & kNoteDuration)) s.r.skip(2);
    if ((flags & kDynamic) && s.r.i8() != kForte) lost.add(Lost::Dynamics);
    note.fret = (flags & kNoteKind) ? s.r.i8() : 0;
    if (flags & kFingering) {
        s.r.skip(2);
        lost.add(Lost::Fingering);
    }
    if (s.isFive()) {
        if (flags & kNoteDuration) s.r.skip(8);
        s.r.skip(1);
    }
    if (flags & kNoteEffects) readNoteEffects(s, note, lost);
    if ((flags & kAccent) || (s.isFive() && (flags & kHeavyAccent))) lost.add(Lost::Accent);
    note.tied = kind == kKindTie;
    note.dead = kind == kKindDead;
    return note;
}

}  // namespace

score::Beat readBeat(Stream& s, LostItems& lost, double& tempoChange) {
    score::Beat beat;
    const std::size_t at = s.r.offset();
    const int flags = s.r.u8();
    const int status = (flags & kStatus) ? s.r.u8() : 1;
    const int code = s.r.i8();
    if (s.r.ok() && (code < -2 || code > 4)) {
        s.r.fail("it holds a note length of " + std::to_string(code) + " at byte " +
                 std::to_string(at));
        return beat;
    }
    const int tuplet = (flags & kTuplet) ? s.r.count(1, 13, "notes in a tuplet") : 1;
    if (flags & kChordDiagram) {
        skipChordDiagram(s);
        lost.add(Lost::ChordName);
    }
    if (flags & kBeatText) {
        s.intByteString();
        lost.add(Lost::Text);
    }
    if (flags & kBeatEffects) readBeatEffects(s, lost);
    if (flags & kMixTable) readMixTable(s, lost, tempoChange);
    const int strings = s.r.u8();
    for (int string = 1; string <= kMaxStrings && s.r.ok(); ++string) {
        if (strings & (1 << (kMaxStrings - string)))
            beat.notes.push_back(readNote(s, string, lost));
    }
    if (s.isFive() && (s.r.i16() & 0x0800)) s.r.skip(1);

    long length = baseLength(code);
    if (flags & kDotted) length += length / 2;
    if (tuplet > 1) length = length * tupletSpace(tuplet) / tuplet;
    beat.length = length;
    if (status == kStatusRest || status == kStatusEmpty) beat.notes.clear();
    return beat;
}

// The files' strings are in the Western single-byte code page; the song keeps UTF-8.
std::string Stream::byteString(std::size_t field) {
    const std::size_t length = r.u8();
    const std::string raw = r.text(field);
    return latin1ToUtf8(std::string_view(raw).substr(0, std::min(length, raw.size())));
}

// A string's 32-bit size, -1 (with the stream failed) when the file cannot hold it.
long Stream::size() {
    const std::int32_t n = r.i32();
    if (n < 0 || static_cast<std::size_t>(n) > r.remaining()) {
        r.fail("it holds a text of " + std::to_string(n) + " bytes at byte " +
               std::to_string(r.offset() - 4));
        return -1;
    }
    return n;
}

std::string Stream::intByteString() {
    const long n = size();
    if (n <= 0) return {};
    const std::size_t length = r.u8();
    const std::string raw = r.text(static_cast<std::size_t>(n) - 1);
    return latin1ToUtf8(std::string_view(raw).substr(0, std::min(length, raw.size())));
}

std::string Stream::intString() {
    const long n = size();
    return n <= 0 ? std::string() : latin1ToUtf8(r.text(static_cast<std::size_t>(n)));
}

}  // namespace lutavo::gp
