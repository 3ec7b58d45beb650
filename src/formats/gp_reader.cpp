// SPDX-License-Identifier: GPL-3.0-or-later
// The layout of the file: a header with the piece's texts, tempo, key and sounds, a header for
// every bar (time signature, repeats, key), the tracks with their tunings, then the beats of
// every bar of every track. Version 5 adds page settings, sound-engine settings and a second
// voice.

#include "formats/gp_reader.h"

#include <array>

#include "formats/gp_stream.h"
#include "formats/instruments.h"

namespace lutavo {

namespace {

using gp::Stream;

constexpr std::string_view kSignature = "FICHIER GUITAR PRO ";
constexpr int kChannels = 64;
constexpr int kDirections = 19;
constexpr int kFirstJump = 5;  // the directions before this are places, the rest jumps
constexpr int kDrumChannel = 10;

// Bar header flags.
constexpr int kNumerator = 0x01;
constexpr int kDenominator = 0x02;
constexpr int kRepeatOpen = 0x04;
constexpr int kRepeatClose = 0x08;
constexpr int kEnding = 0x10;
constexpr int kMarker = 0x20;
constexpr int kKeyChange = 0x40;

// "v4.06" and "L4.06" after the signature; versions 1 and 2 are older than this reader.
bool readVersion(Stream& s) {
    const std::string text = s.byteString(30);
    if (text.rfind(kSignature, 0) != 0 || text.size() < kSignature.size() + 5) return false;
    const std::string_view v = std::string_view(text).substr(kSignature.size());
    auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : -1; };
    s.version.major = digit(v[1]);
    s.version.minor = digit(v[3]) * 10 + digit(v[4]);
    return s.version.major >= 3 && s.version.major <= 5 && s.version.minor >= 0;
}

void readTexts(Stream& s, score::Score& piece) {
    piece.title = s.intByteString();
    piece.subtitle = s.intByteString();
    const std::string artist = s.intByteString();
    s.intByteString();  // album
    s.intByteString();  // words
    const std::string music = s.isFive() ? s.intByteString() : "";
    piece.composer = music.empty() ? artist : music;
    for (int i = 0; i < 3; ++i)
        s.intByteString();  // copyright, transcriber, instructions
    const int notices = s.r.count(0, 10000, "notice lines");
    for (int i = 0; i < notices && s.r.ok(); ++i)
        s.intByteString();
}

void readLyrics(Stream& s, score::Score& piece) {
    s.r.skip(4);
    for (int i = 0; i < 5 && s.r.ok(); ++i) {
        s.r.skip(4);
        if (s.intString().find_first_not_of(" \r\n\t") != std::string::npos)
            piece.lost.add(Lost::Lyrics);
    }
}

// Page size, margins and the header texts of printed pages.
void skipPageSetup(Stream& s) {
    s.r.skip(7 * 4 + 2);
    for (int i = 0; i < 10 && s.r.ok(); ++i)
        s.intByteString();
}

// Tempo, key and the sounds of the 64 channels; returns the program of each channel.
std::array<int, kChannels> readSettings(Stream& s, score::Score& piece) {
    if (s.isFive()) s.intByteString();  // the tempo's name
    const int tempo = s.r.i32();
    if (tempo > 0 && tempo < 1000) piece.tempo = tempo;
    if (s.isFiveTen()) s.r.skip(1);
    // Version 3 keeps the key in a 32-bit number, later ones in a byte and an octave; the key
    // is the first byte in either.
    piece.bars.clear();
    const int key = s.r.i8();
    s.r.skip(s.isThree() ? 3 : 4);
    score::BarInfo first;
    first.fifths = key >= -7 && key <= 7 ? key : 0;
    piece.bars.push_back(first);

    std::array<int, kChannels> programs{};
    for (int& p : programs) {
        p = s.r.i32();
        s.r.skip(8);
    }
    if (s.isFive()) {
        for (int i = 0; i < kDirections; ++i) {
            if (s.r.i16() >= 0 && i >= kFirstJump) piece.lost.add(Lost::Jump);
        }
        s.r.skip(4);
    }
    return programs;
}

score::BarInfo readBarHeader(Stream& s, const score::BarInfo& before, bool first, LostItems& lost) {
    if (s.isFive() && !first) s.r.skip(1);
    score::BarInfo bar;
    bar.beats = before.beats;
    bar.beatType = before.beatType;
    bar.fifths = before.fifths;
    const int flags = s.r.u8();
    if (flags & kNumerator) bar.beats = s.r.u8();
    if (flags & kDenominator) bar.beatType = s.r.u8();
    if (s.r.ok() && (bar.beats < 1 || bar.beatType < 1 || bar.beatType > 64)) {
        s.r.fail("it holds the time signature " + std::to_string(bar.beats) + "/" +
                 std::to_string(bar.beatType));
    }
    bar.repeatStart = flags & kRepeatOpen;
    // Versions 3 and 4 count the repeats, version 5 the plays.
    if (flags & kRepeatClose) bar.repeatPlays = s.r.u8() + (s.isFive() ? 0 : 1);
    auto marker = [&] {
        s.intByteString();
        s.r.skip(4);
        lost.add(Lost::Marker);
    };
    auto key = [&] {
        const int fifths = s.r.i8();
        s.r.skip(1);
        if (fifths >= -7 && fifths <= 7) bar.fifths = fifths;
    };
    if (!s.isFive()) {
        if (flags & kEnding) {
            const int n = s.r.u8();
            bar.endings = n >= 1 && n <= 32 ? 1u << (n - 1) : 0;
        }
        if (flags & kMarker) marker();
        if (flags & kKeyChange) key();
        return bar;
    }
    if (flags & kMarker) marker();
    if (flags & kEnding) bar.endings = s.r.u8();
    if (flags & kKeyChange) key();
    if (flags & (kNumerator | kDenominator)) s.r.skip(4);
    if (!(flags & kEnding)) s.r.skip(1);
    s.r.skip(1);
    return bar;
}

score::Track readTrack(Stream& s, bool first, const std::array<int, kChannels>& programs) {
    if (s.isFive() && (first || !s.isFiveTen())) s.r.skip(1);
    score::Track track;
    track.drums = s.r.u8() & 0x01;
    track.name = s.byteString(40);
    const int strings = s.r.count(1, gp::kMaxStrings, "strings");
    for (int i = 0; i < gp::kMaxStrings; ++i) {
        const int pitch = s.r.i32();
        if (i < strings) track.tuning.push_back(pitch >= 0 && pitch <= 127 ? pitch : 0);
    }
    const int port = s.r.i32();
    const int channel = s.r.i32();
    s.r.skip(4 + 4);  // the effects channel, the number of frets
    track.capo = s.r.count(0, 24, "as the capo's fret");
    s.r.skip(4);  // colour
    if (s.isFive() && !s.isFiveTen()) s.r.skip(44);
    if (s.isFiveTen()) {
        s.r.skip(49);
        s.intByteString();
        s.intByteString();
    }
    track.drums = track.drums || channel == kDrumChannel;
    // Four ports of sixteen channels, both counted from 1.
    if (port >= 1 && port <= kChannels / 16 && channel >= 1 && channel <= 16) {
        const int index = (port - 1) * 16 + channel - 1;
        track.program = programs[static_cast<std::size_t>(index)];
        track.instrument = instrumentName(track.program, track.drums);
    }
    return track;
}

// The beats of one bar of one track: the first voice is kept, the second (version 5) counted.
void readBarOfTrack(Stream& s, score::Track& track, score::BarInfo& bar) {
    const int voices = s.isFive() ? 2 : 1;
    std::vector<score::Beat> kept;
    for (int voice = 0; voice < voices && s.r.ok(); ++voice) {
        const int beats = s.r.count(0, gp::kMaxBeats, "beats in a bar");
        LostItems otherVoice;
        for (int b = 0; b < beats && s.r.ok(); ++b) {
            double tempo = 0;
            score::Beat beat = readBeat(s, voice == 0 ? track.lost : otherVoice, tempo);
            if (tempo > 0 && bar.tempo == 0) bar.tempo = tempo;
            if (voice == 0) {
                // Frets are written from the capo; the score counts them from the nut.
                for (score::Note& note : beat.notes)
                    if (note.fret >= 0) note.fret += track.capo;
                kept.push_back(std::move(beat));
            } else {
                track.lost.add(Lost::OtherVoice, static_cast<int>(beat.notes.size()));
            }
        }
    }
    if (s.isFive()) s.r.skip(1);
    track.bars.push_back(std::move(kept));
}

}  // namespace

bool looksLikeBinaryTab(std::string_view bytes) {
    return bytes.size() > kSignature.size() && bytes.substr(1, kSignature.size()) == kSignature;
}

score::ReadResult readBinaryTab(std::string_view bytes) {
    Stream s(bytes);
    if (!readVersion(s)) {
        return score::ImportFailure{"it is not a tablature file of version 3, 4 or 5"};
    }
    score::Score piece;
    readTexts(s, piece);
    if (!s.isFive()) s.r.skip(1);  // the triplet feel
    if (!s.isThree()) readLyrics(s, piece);
    if (s.isFiveTen()) s.r.skip(19);  // the master effects
    if (s.isFive()) skipPageSetup(s);
    const auto programs = readSettings(s, piece);
    const int bars = s.r.count(1, gp::kMaxBars, "bars");
    const int tracks = s.r.count(1, gp::kMaxTracks, "tracks");

    for (int b = 0; b < bars && s.r.ok(); ++b) {
        const score::BarInfo before = piece.bars.back();
        score::BarInfo bar = readBarHeader(s, before, b == 0, piece.lost);
        if (b == 0) {
            piece.bars.back() = bar;
        } else {
            piece.bars.push_back(bar);
        }
    }
    for (int t = 0; t < tracks && s.r.ok(); ++t)
        piece.tracks.push_back(readTrack(s, t == 0, programs));
    if (s.isFive()) s.r.skip(s.isFiveTen() ? 1 : 2);
    for (int b = 0; b < bars && s.r.ok(); ++b) {
        for (score::Track& track : piece.tracks)
            readBarOfTrack(s, track, piece.bars[static_cast<std::size_t>(b)]);
    }
    if (!s.r.ok()) return score::ImportFailure{"it is damaged: " + s.r.why()};
    return piece;
}

}  // namespace lutavo
