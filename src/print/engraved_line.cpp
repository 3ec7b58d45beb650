// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/engraved_line.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "display/column_rules.h"
#include "display/glyph_layout.h"
#include "display/page_draw.h"
#include "song/fret_codes.h"
#include "theory/keys.h"

namespace lutavo {

namespace {

// The staff picture's y of the lowest C's glyph (between the two spellings' 105 and 106), the
// rows an octave climbs, and that C's step below the middle line.
constexpr double kLowestCY = 105.5;
constexpr double kStepRows = 24.6 / 7;
constexpr int kLowestCStep = -13;
// A sign glyph offset of 5 is a sharp, 0 a flat.
constexpr int kSharpGlyph = 5;

Sign signOf(const KeyState& keys, int pitch) {
    const int pitchClass = pitch % 12;
    if (keys.accidentalNeeded[pitchClass])
        return keys.accidentalGlyph[pitchClass] == kSharpGlyph ? Sign::Sharp : Sign::Flat;
    return keys.naturalNeeded[pitchClass] ? Sign::Natural : Sign::None;
}

// A sign holds to the end of its bar on its line or space: a note shows one only when it is
// altered otherwise than the bar or, before that, the key signature has it.
class BarSigns {
  public:
    explicit BarSigns(int songKey) : key_(songKey) {}
    void newBar() { inBar_.clear(); }

    // The sign the note at step needs, given the sign it needs against the key alone.
    Sign signFor(int step, Sign againstKey) {
        const int alteration = againstKey == Sign::Sharp     ? 1
                               : againstKey == Sign::Flat    ? -1
                               : againstKey == Sign::Natural ? 0
                                                             : keyAlteration(step);
        const auto found = inBar_.find(step);
        const int current = found != inBar_.end() ? found->second : keyAlteration(step);
        inBar_[step] = alteration;
        if (alteration == current) return Sign::None;
        return alteration > 0 ? Sign::Sharp : (alteration < 0 ? Sign::Flat : Sign::Natural);
    }

  private:
    // The key signature's sharp or flat on the letter of a step (the middle line is a B).
    int keyAlteration(int step) const {
        constexpr std::array<int, 7> kSharpLetters = {3, 0, 4, 1, 5, 2, 6};  // F C G D A E B
        constexpr std::array<int, 7> kFlatLetters = {6, 2, 5, 1, 4, 0, 3};   // B E A D G C F
        const bool sharps = sharpKey(key_);
        const int count = signatureCount(key_);
        const int letter = ((step + 6) % 7 + 7) % 7;  // C 0 .. B 6
        const auto& order = sharps ? kSharpLetters : kFlatLetters;
        const bool inSignature =
            std::find(order.begin(), order.begin() + count, letter) != order.begin() + count;
        return inSignature ? (sharps ? 1 : -1) : 0;
    }

    int key_;
    std::map<int, int> inBar_;
};

// What reading a line carries from one column to the next.
struct LineReader {
    const SongModel& song;
    const PitchTable& pitchOf;
    const KeyState& keys;
    StringPitches& pitch;
    i16 barCount = 0;
    int bar = 0;
    int lineTicks = 0;
    std::array<int, kStrings> lastHead{};  // the column of each string's last head, or kNoTie
    std::vector<EngravedColumn> columns{};
    BarSigns signs{song.songKey};

    int& pitchOfSlot(int s) { return pitch[static_cast<std::size_t>(s - 1)]; }
    int& lastHeadOf(int s) { return lastHead[static_cast<std::size_t>(s - 1)]; }

    // The pitch a string writes at this column, as the page works it out.
    void follow(int i, int s, int f) {
        int& p = pitchOfSlot(s);
        if (f == kMuted) {
            p = notationPitch(pitchOf, s, 0);
        } else if (f == kBend) {
            p = bendPitch(song, pitchOf, p, i, s);
        } else if (isStruck(f)) {
            p = notationPitch(pitchOf, s, f);
        } else if (isHeld(f) && !drawsOnStaff(p)) {
            p = notationPitch(pitchOf, s, fretOf(f));
        }
    }

    void addTab(EngravedColumn& c, int s, int f, bool allHeld) {
        TabMark mark = TabMark::Fret;
        if (f == kMuted) {
            mark = TabMark::Muted;
        } else if (f == kBend) {
            mark = TabMark::Bend;
        } else if (isHeld(f)) {
            if (!allHeld) return;
            mark = TabMark::HeldFret;
        }
        const int fret = hasFret(f) ? fretOf(f) - song.capo : 0;
        // A fret below the capo has no number to show.
        if (hasFret(f) && fret < 0) return;
        c.tab.push_back({s, mark, fret});
    }

    void addHead(EngravedColumn& c, int s, int f, int shown) {
        const int p = pitchOfSlot(s);
        if (!drawsOnStaff(p)) return;
        const bool held = isHeld(f);
        EngravedHead head;
        head.step = staffStep(keys, p);
        head.symbol = durationSymbol(song, shown);
        head.muted = f == kMuted;
        // Without bars a sign holds for its note alone, as on the window's page.
        if (!held) head.sign = signOf(keys, p);
        if (!held && barLength(song) > 0) head.sign = signs.signFor(head.step, head.sign);
        if (held) head.tieFrom = lastHeadOf(s) >= 0 ? lastHeadOf(s) : kTieFromBefore;
        lastHeadOf(s) = static_cast<int>(columns.size());
        // Two strings at one pitch make one head.
        for (const EngravedHead& h : c.heads)
            if (h.step == head.step) return;
        c.heads.push_back(head);
    }

    // The symbol a struck note shows: as long as its string holds it.
    int shownTicks(const EngravedColumn& c, int s, int f) const {
        if (isHeld(f)) return c.triplet > 0 ? c.triplet : c.ticks;
        const int held = heldLength(song, barCount, c.note, s);
        return c.triplet > 0 && held == c.ticks ? c.triplet : held;
    }

    void read(int i) {
        EngravedColumn c;
        c.note = i;
        c.x = song.noteX[i];
        c.ticks = song.noteDur[i];
        c.triplet = tripletLength(song, i);
        // Markers of the player take no room in time.
        if (isMarker(c.ticks)) return;
        const int barTicks = barLength(song);
        c.barBefore = countIntoBar(barCount, c.ticks, barTicks) && !columns.empty();
        if (c.barBefore) {
            ++bar;
            signs.newBar();
        }
        c.bar = bar;
        c.inBar = barTicks > 0 ? barCount - c.ticks : lineTicks;
        lineTicks += c.ticks;

        bool allHeld = true, rest = true;
        for (int s = 1; s <= kStrings; ++s) {
            const int f = columnFret(song, i, s);
            rest = rest && f == kSilent;
            allHeld = allHeld && isHeld(f);
        }
        for (int s = 1; s <= kStrings; ++s) {
            const int f = columnFret(song, i, s);
            if (f == kSilent) continue;
            follow(i, s, f);
            addTab(c, s, f, allHeld);
            if (isHeld(f) && !c.barBefore && !allHeld) continue;
            addHead(c, s, f, shownTicks(c, s, f));
        }
        if (rest) c.symbol = durationSymbol(song, c.triplet > 0 ? c.triplet : c.ticks);
        std::sort(c.heads.begin(), c.heads.end(),
                  [](const EngravedHead& a, const EngravedHead& b) { return a.step < b.step; });
        // The stem and its flags are the highest stemmed note's; a whole note stands apart.
        if (!c.heads.empty()) c.symbol = c.heads.back().symbol;
        for (const EngravedHead& h : c.heads)
            if (h.symbol < glyph::kWholeSymbol) c.symbol = h.symbol;
        // A column of held notes that shows nothing stands for time only.
        if (rest || !c.heads.empty() || !c.tab.empty()) columns.push_back(std::move(c));
    }
};

}  // namespace

int staffStep(const KeyState& keys, int pitch) {
    return static_cast<int>(std::lround((kLowestCY - keys.staffY[pitch]) / kStepRows)) +
           kLowestCStep;
}

std::vector<EngravedColumn> engraveLine(const SongModel& song, const PitchTable& pitchOf,
                                        const KeyState& keys, int page, StringPitches& carry) {
    LineReader reader{song, pitchOf, keys, carry};
    reader.lastHead.fill(kNoTie);
    const PageRun run = pageRunOf(song, clampTo(page, 1, kMaxPages));
    for (int i = std::max(run.first, 1); i <= run.next - 2; ++i)
        reader.read(i);
    return std::move(reader.columns);
}

}  // namespace lutavo
