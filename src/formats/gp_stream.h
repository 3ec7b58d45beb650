// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The reading state of a binary tablature file of versions 3 to 5: the bytes, the version that
// decides the layout of each record, and the file's three kinds of strings.

#include <string>
#include <string_view>

#include "formats/byte_reader.h"
#include "formats/lost_items.h"
#include "formats/score.h"

namespace lutavo::gp {

// Bounds on what a file may declare, far above any real piece, so that a damaged count is
// refused instead of read for minutes.
inline constexpr int kMaxBars = 4096;
inline constexpr int kMaxTracks = 64;
inline constexpr int kMaxBeats = 512;  // per voice and bar
inline constexpr int kMaxStrings = 7;
inline constexpr int kMaxBendPoints = 64;

struct Version {
    int major = 0;
    int minor = 0;  // 0, 6 (4.06) or 10 (5.10)
};

class Stream {
  public:
    explicit Stream(std::string_view bytes) : r(bytes) {}

    // A string of at most field bytes stored after its length byte, the field always whole.
    std::string byteString(std::size_t field);
    // A string stored as a 32-bit size, a length byte and the characters.
    std::string intByteString();
    // A string stored as a 32-bit length and the characters.
    std::string intString();
    bool isFive() const { return version.major == 5; }
    bool isThree() const { return version.major == 3; }
    bool isFiveTen() const { return version.major == 5 && version.minor > 0; }

    ByteReader r;
    Version version;

  private:
    long size();
};

// One beat of a voice with its notes; what the beat held beyond that is counted in lost.
score::Beat readBeat(Stream& s, LostItems& lost, double& tempoChange);

}  // namespace lutavo::gp
