// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/song_fitting.h"

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/pitch_names.h"
#include "formats/fingering.h"
#include "formats/repeats.h"
#include "formats/song_lines.h"
#include "formats/song_steps.h"

namespace lutavo {

namespace {

using fitting::PlayedBeat;
using fitting::SlotNote;

// Open strings of standard tuning as MIDI notes, slot 1 (the low E) first.
constexpr std::array<int, kStrings> kStandard = {40, 45, 50, 55, 59, 64};
constexpr int kTuningReach = 6;  // the tuner's offsets: -6..6 semitones
constexpr int kCapoReach = 12;
constexpr int kTempoSteps = 30;
// Bars and beats in playing order: more than the most songs a piece is made into hold.
constexpr std::size_t kMaxPlayedBars = 20000;
constexpr std::size_t kMaxPlayedBeats = 20000;

std::string ordinal(int n) {
    static constexpr std::array<const char*, 7> kOrdinals = {"1st", "2nd", "3rd", "4th",
                                                             "5th", "6th", "7th"};
    return n >= 1 && n <= 7 ? kOrdinals[static_cast<std::size_t>(n - 1)] : std::to_string(n);
}

// The time-signature index of a song for beats/beatType, 0 (no bar lines) for the others.
int timeSigIndex(int beats, int beatType) {
    struct Sig {
        int beats, type;
    };
    static constexpr std::array<Sig, 5> kSigs = {{{2, 2}, {2, 4}, {3, 4}, {4, 4}, {6, 8}}};
    for (std::size_t i = 0; i < kSigs.size(); ++i) {
        if (kSigs[i].beats == beats && kSigs[i].type == beatType) return static_cast<int>(i) + 1;
    }
    return 0;
}

// The key index: odd for sharps, even for flats, 1 for none (spelled with sharps).
int songKeyOf(int fifths) {
    if (fifths > 0) return 2 * std::min(fifths, 7) + 1;
    if (fifths < 0) return 2 * std::min(-fifths, 7);
    return 1;
}

// The sound of a guitar program: nylon, steel, electric, overdriven.
int soundOf(int program) {
    if (program < 24 || program > 31) return -1;
    static constexpr std::array<int, 8> kSounds = {0, 1, 2, 2, 2, 3, 3, 2};
    return kSounds[static_cast<std::size_t>(program - 24)];
}

// How the track's strings become the song's six, and the notes of the ones that do not.
class StringMap {
  public:
    StringMap(const score::Track& track, ImportedSong& song) : track_(track) {
        const std::size_t count = track.tuning.size();
        // A track of six or more known strings keeps its highest six as the song's strings;
        // fewer (a bass) or unknown ones are played on a guitar in standard tuning.
        direct_ =
            count == 0 || (count >= 6 && std::all_of(track.tuning.begin(), track.tuning.begin() + 6,
                                                     [](int p) { return p > 0; }));
        for (int slot = 1; slot <= kStrings; ++slot) {
            const std::size_t i = static_cast<std::size_t>(slot - 1);
            fileOpen_[i] = count >= 6 && direct_ ? track.tuning[static_cast<std::size_t>(6 - slot)]
                                                 : kStandard[i];
            const int offset = fileOpen_[i] - kStandard[i];
            int fitted = offset;
            if (offset < -kTuningReach || offset > kTuningReach) {
                fitted = offset - 12 * static_cast<int>(std::lround(offset / 12.0));
                if (fitted > kTuningReach) fitted -= 12;
                song.notices.push_back(tuningNotice(slot, offset, fitted));
            }
            song.altTuning[i] = fitted;
            strings_.open[i] = kStandard[i] + fitted;
        }
        strings_.capo = std::clamp(track.capo, 0, kCapoReach);
        if (track.capo > kCapoReach) {
            song.notices.push_back("The capo at fret " + std::to_string(track.capo) +
                                   " is higher than Lutavo's capo goes (fret " +
                                   std::to_string(kCapoReach) +
                                   "); the notes are played without it.");
            strings_.capo = 0;
        }
        song.capo = strings_.capo;
    }

    const GuitarStrings& strings() const { return strings_; }

    // The slot of a note the file put on a string, or 0 when it must be placed by its pitch.
    int slotOf(const score::Note& n) const {
        if (!direct_ || n.string < 1 || n.fret < 0) return 0;
        if (n.string > kStrings) return 0;
        return kStrings + 1 - n.string;
    }

    // The note's pitch as the file means it, -1 when it gives none.
    int pitchOf(const score::Note& n) const {
        if (n.string >= 1 && n.fret >= 0 &&
            static_cast<std::size_t>(n.string) <= track_.tuning.size()) {
            const int open = track_.tuning[static_cast<std::size_t>(n.string - 1)];
            if (open > 0) return open + n.fret;
        }
        if (n.string >= 1 && n.string <= kStrings && n.fret >= 0 && track_.tuning.empty())
            return kStandard[static_cast<std::size_t>(kStrings - n.string)] + n.fret;
        return n.pitch;
    }

  private:
    std::string tuningNotice(int slot, int offset, int fitted) const {
        const int file = kStandard[static_cast<std::size_t>(slot - 1)] + offset;
        const int shift = fitted - offset;
        return "The " + ordinal(kStrings + 1 - slot) + " string is tuned to " +
               sharpPitchName(file) + std::to_string(file / 12 - 1) +
               ", out of the tuner's reach; it is tuned to the " + sharpPitchName(file) +
               " an octave " + (shift > 0 ? "higher" : "lower") + ", and its notes sound there.";
    }

    const score::Track& track_;
    bool direct_ = false;
    std::array<int, kStrings> fileOpen_{};
    GuitarStrings strings_;
};

// Every note of every played beat on a slot and fret: the file's own where it gives them, a
// chosen fingering for the rest.
std::vector<std::vector<PlayedBeat>> placeNotes(const score::Track& track,
                                                const std::vector<score::BarInfo>& bars,
                                                const std::vector<int>& order, const StringMap& map,
                                                LostItems& lost) {
    struct Pending {
        std::size_t bar, beat;
        std::vector<const score::Note*> unplaced;
    };
    std::vector<std::vector<PlayedBeat>> played(order.size());
    std::vector<ChordToPlace> chords;
    std::vector<Pending> pending;
    const GuitarStrings& strings = map.strings();
    std::size_t total = 0;
    for (std::size_t b = 0; b < order.size(); ++b) {
        if (total > kMaxPlayedBeats) {
            lost.add(Lost::Tail, static_cast<int>(order.size() - b));
            played.resize(b);
            break;
        }
        const std::size_t index = static_cast<std::size_t>(order[b]);
        const bool hasBar = index < track.bars.size() && !track.bars[index].empty();
        const std::vector<score::Beat> wholeRest = {{bars[index].length(), {}}};
        const std::vector<score::Beat>& beats = hasBar ? track.bars[index] : wholeRest;
        total += beats.size();
        for (std::size_t k = 0; k < beats.size(); ++k) {
            PlayedBeat out;
            out.units = beats[k].length;
            ChordToPlace chord;
            Pending p{b, k, {}};
            for (const score::Note& n : beats[k].notes) {
                const int slot = map.slotOf(n);
                if (slot > 0 && n.dead) {
                    out.notes.push_back({slot, 0, false, true, false});
                } else if (slot > 0 && n.fret >= strings.capo && n.fret <= kHighestFret) {
                    out.notes.push_back({slot, n.fret, n.tied, false, n.bend});
                    chord.fixed[static_cast<std::size_t>(slot - 1)] = n.fret;
                } else if (map.pitchOf(n) >= 0) {
                    if (n.string > kStrings) lost.add(Lost::ExtraString);
                    chord.pitches.push_back(map.pitchOf(n));
                    p.unplaced.push_back(&n);
                } else {
                    lost.add(Lost::NoString);
                }
            }
            played[b].push_back(std::move(out));
            chords.push_back(std::move(chord));
            pending.push_back(std::move(p));
        }
    }
    const auto placements = placeChords(chords, strings, lost);
    for (std::size_t i = 0; i < pending.size(); ++i) {
        PlayedBeat& beat = played[pending[i].bar][pending[i].beat];
        for (std::size_t k = 0; k < pending[i].unplaced.size(); ++k) {
            const Placement& place = placements[i][k];
            const score::Note& n = *pending[i].unplaced[k];
            if (place.slot > 0) {
                beat.notes.push_back({place.slot, place.fret, n.tied && !n.dead, n.dead, n.bend});
            }
        }
    }
    return played;
}

// The first tempo is the song's; later ones, the changes of key and of time, are counted.
void readSettings(const std::vector<score::BarInfo>& bars, double startTempo,
                  const std::vector<int>& order, ImportedSong& song) {
    const score::BarInfo& first = bars.front();
    song.fileTempo = first.tempo > 0 ? first.tempo : startTempo;
    song.tempo = nearestTempoStep(song.fileTempo);
    const double played = quarterNotesPerMinute(song.tempo);
    if (std::abs(played - song.fileTempo) > 0.1 * song.fileTempo) {
        song.notices.push_back("The tempo " + std::to_string(std::lround(song.fileTempo)) +
                               " is out of Lutavo's range; it plays at " +
                               std::to_string(std::lround(played)) + ".");
    }
    song.songKey = songKeyOf(first.fifths);
    song.timeSig = timeSigIndex(first.beats, first.beatType);
    double tempo = song.fileTempo;
    const score::BarInfo* before = nullptr;
    for (int index : order) {
        const score::BarInfo& bar = bars[static_cast<std::size_t>(index)];
        if (bar.tempo > 0 && std::abs(bar.tempo - tempo) > 0.5) {
            song.lost.add(Lost::TempoChange);
            tempo = bar.tempo;
        }
        if (before != nullptr && bar.fifths != before->fifths) song.lost.add(Lost::KeyChange);
        if (before != nullptr && (bar.beats != before->beats || bar.beatType != before->beatType))
            song.lost.add(Lost::TimeChange);
        before = &bar;
    }
}

std::string tuningNames(const std::vector<int>& tuning) {
    std::string names;
    for (auto it = tuning.rbegin(); it != tuning.rend(); ++it) {
        if (!names.empty()) names += " ";
        names += *it > 0 ? sharpPitchName(*it) : "?";
    }
    return names;
}

bool hasNotes(const score::Track& track) {
    return std::any_of(track.bars.begin(), track.bars.end(), [](const auto& bar) {
        return std::any_of(bar.begin(), bar.end(),
                           [](const score::Beat& b) { return !b.notes.empty(); });
    });
}

}  // namespace

int nearestTempoStep(double quarterNotesPerMinute) {
    int best = 1;
    for (int step = 2; step <= kTempoSteps; ++step) {
        if (std::abs(lutavo::quarterNotesPerMinute(step) - quarterNotesPerMinute) <
            std::abs(lutavo::quarterNotesPerMinute(best) - quarterNotesPerMinute)) {
            best = step;
        }
    }
    return best;
}

double quarterNotesPerMinute(int step) {
    return 60000.0 / (16.0 * (2 * step + 20));
}

std::vector<TrackChoice> trackChoices(const score::Score& piece) {
    std::vector<TrackChoice> choices;
    for (std::size_t i = 0; i < piece.tracks.size(); ++i) {
        const score::Track& t = piece.tracks[i];
        if (t.drums || !hasNotes(t)) continue;
        TrackChoice c;
        c.track = static_cast<int>(i);
        c.sixStrings = t.tuning.size() == 6;
        c.label = std::to_string(i + 1) + ". " + (t.name.empty() ? "Track" : t.name);
        if (!t.instrument.empty() && t.instrument != t.name) c.label += " (" + t.instrument + ")";
        if (!t.tuning.empty()) {
            c.label +=
                ", " + std::to_string(t.tuning.size()) + " strings: " + tuningNames(t.tuning);
        }
        choices.push_back(std::move(c));
    }
    return choices;
}

std::size_t preferredChoice(const std::vector<TrackChoice>& choices) {
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].sixStrings) return i;
    return 0;
}

ImportedSong fitToSong(const score::Score& piece, int trackIndex) {
    ImportedSong song;
    const score::Track& track = piece.tracks.at(static_cast<std::size_t>(trackIndex));
    song.title = piece.title;
    song.info = piece.subtitle;
    song.composer = piece.composer;
    song.sound = soundOf(track.program);
    song.lost.merge(piece.lost);
    song.lost.merge(track.lost);

    std::vector<score::BarInfo> bars = piece.bars;
    if (bars.empty()) bars.emplace_back();
    bars.resize(std::max(bars.size(), track.bars.size()), bars.back());
    const PlayOrder order = playOrder(bars, kMaxPlayedBars);
    if (order.cut && !order.bars.empty()) {
        const int last = *std::max_element(order.bars.begin(), order.bars.end());
        song.lost.add(Lost::Tail, std::max(1, static_cast<int>(bars.size()) - 1 - last));
    }

    readSettings(bars, piece.tempo, order.bars, song);
    const StringMap map(track, song);
    const auto played = placeNotes(track, bars, order.bars, map, song.lost);
    std::vector<bool> systemStarts;
    for (int index : order.bars)
        systemStarts.push_back(bars[static_cast<std::size_t>(index)].newSystem);
    std::vector<fitting::Line> lines =
        fitting::packLines(fitting::buildSteps(played, song.lost), systemStarts, song.lost);
    song.parts = fitting::packParts(lines, song.lost);
    if (song.parts.empty()) song.parts.emplace_back();
    return song;
}

}  // namespace lutavo
