// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/musicxml_notes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace lutavo::musicxml {

namespace {

using pugi::xml_node;

// No real note is longer than this many whole notes; a larger duration is a damaged file.
constexpr long kLongestUnits = 64 * 4 * score::kQuarter;
constexpr int kDefaultPlays = 2;

bool named(xml_node n, const char* name) {
    return std::strcmp(n.name(), name) == 0;
}

long number(xml_node n, long fallback = 0) {
    const char* t = n.child_value();
    char* end = nullptr;
    const double v = std::strtod(t, &end);
    if (end == t || !std::isfinite(v)) return fallback;
    return std::lround(std::clamp(v, -1e9, 1e9));
}

std::string text(xml_node node) {
    std::string t = node.child_value();
    const std::size_t first = t.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return t.substr(first, t.find_last_not_of(" \t\r\n") - first + 1);
}

// A step letter, octave and alteration as a MIDI note, -1 when they name none.
int midiNote(const char* step, xml_node octave, xml_node alter, int transpose) {
    static constexpr std::array<int, 7> kSteps = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (step[0] < 'A' || step[0] > 'G' || step[1] != '\0') return -1;
    const int semitone = kSteps[static_cast<std::size_t>(step[0] - 'A')];
    const long midi = (number(octave, -100) + 1) * 12 + semitone + number(alter) + transpose;
    return midi >= 0 && midi <= 127 ? static_cast<int>(midi) : -1;
}

struct Event {
    long onset = 0;
    long length = 0;
    std::vector<score::Note> notes;
};

// The staff and voice whose notes become the track: the tablature staff when there is one.
struct Choice {
    int staff = 1;
    std::string voice;
    bool tablature = false;
};

class PartReader {
  public:
    PartReader(score::Track& track, std::vector<score::BarInfo>* bars, LostItems& pieceLost)
        : track_(track), bars_(bars), pieceLost_(pieceLost) {}

    void read(const std::vector<MeasureNodes>& measures) {
        choose(measures);
        for (const MeasureNodes& m : measures)
            readMeasure(m);
    }

  private:
    void choose(const std::vector<MeasureNodes>& measures) {
        for (const MeasureNodes& m : measures) {
            for (xml_node attributes : m.music.children("attributes")) {
                for (xml_node clef : attributes.children("clef")) {
                    if (std::strcmp(clef.child_value("sign"), "TAB") == 0) {
                        choice_.staff = clef.attribute("number").as_int(1);
                        choice_.tablature = true;
                    }
                    if (std::strcmp(clef.child_value("sign"), "percussion") == 0 &&
                        clef.attribute("number").as_int(1) == 1) {
                        track_.drums = true;
                    }
                }
            }
            if (choice_.tablature) break;
        }
        for (const MeasureNodes& m : measures) {
            for (xml_node note : m.music.children("note")) {
                if (note.child("grace") || staffOf(note) != choice_.staff) continue;
                choice_.voice = voiceOf(note);
                return;
            }
        }
    }

    static int staffOf(xml_node note) { return static_cast<int>(number(note.child("staff"), 1)); }
    static std::string voiceOf(xml_node note) {
        const char* v = note.child_value("voice");
        return v[0] == '\0' ? "1" : v;
    }

    long units(xml_node duration) const {
        const double v = static_cast<double>(number(duration)) * score::kQuarter / divisions_;
        return std::clamp<long>(std::lround(v), 0, kLongestUnits);
    }

    score::BarInfo* bar() { return bars_ != nullptr ? &bars_->back() : nullptr; }

    void readMeasure(const MeasureNodes& m) {
        if (bars_ != nullptr) {
            score::BarInfo next = bars_->empty() ? score::BarInfo{} : bars_->back();
            next.tempo = 0;
            next.repeatStart = false;
            next.repeatPlays = 0;
            next.endings = ending_;
            next.newSystem = false;
            for (xml_node print : m.music.children("print")) {
                next.newSystem = next.newSystem || print.attribute("new-system").as_bool() ||
                                 print.attribute("new-page").as_bool();
            }
            bars_->push_back(next);
        }
        time_ = 0;
        end_ = 0;
        lastOnset_ = 0;
        events_.clear();
        for (xml_node child : m.music.children()) {
            if (named(child, "attributes")) {
                readAttributes(child);
            } else if (named(child, "note")) {
                readNote(child);
            } else if (named(child, "backup")) {
                time_ = std::max(0L, time_ - units(child.child("duration")));
            } else if (named(child, "forward")) {
                time_ += units(child.child("duration"));
            } else if (named(child, "direction")) {
                readDirection(child);
            } else if (named(child, "sound")) {
                readSound(child);
            } else if (named(child, "barline")) {
                readBarline(child);
            } else if (named(child, "harmony")) {
                track_.lost.add(Lost::ChordName);
            }
            end_ = std::max(end_, time_);
        }
        track_.bars.push_back(beats());
    }

    void readAttributes(xml_node a) {
        if (xml_node d = a.child("divisions")) divisions_ = std::max(1L, number(d, 1));
        if (xml_node t = a.child("transpose")) {
            transpose_ = static_cast<int>(number(t.child("chromatic")) +
                                          12 * number(t.child("octave-change")));
        }
        if (score::BarInfo* b = bar()) {
            if (xml_node key = a.child("key"); key.child("fifths")) {
                b->fifths = static_cast<int>(std::clamp(number(key.child("fifths")), -7L, 7L));
            }
            if (xml_node time = a.child("time"); time.child("beats")) {
                // A compound count such as 3+2 is the sum of its parts; a count past what a
                // bar may hold stops the sum there, however many digits it has.
                constexpr long kPastMost = 65;
                long beats = 0;
                for (const char* p = time.child_value("beats"); *p != '\0';) {
                    char* end = nullptr;
                    const long part = std::clamp(std::strtol(p, &end, 10), 0L, kPastMost);
                    beats = std::min(beats + part, kPastMost);
                    p = (end == p) ? p + 1 : end;
                }
                const long type = number(time.child("beat-type"), 4);
                if (beats >= 1 && beats <= 64 && type >= 1 && type <= 64) {
                    b->beats = static_cast<int>(beats);
                    b->beatType = static_cast<int>(type);
                }
            }
        }
        for (xml_node details : a.children("staff-details")) {
            if (details.attribute("number").as_int(1) == choice_.staff && !tuned_)
                readTuning(details);
        }
    }

    // Lines are counted from the bottom of the staff, so line 1 is the lowest string.
    void readTuning(xml_node details) {
        tuned_ = true;
        std::vector<int> lines(
            static_cast<std::size_t>(std::clamp(number(details.child("staff-lines"), 6), 1L, 12L)),
            -1);
        for (xml_node t : details.children("staff-tuning")) {
            const long line = t.attribute("line").as_int(0);
            if (line < 1 || line > static_cast<long>(lines.size())) continue;
            const int midi = midiNote(t.child_value("tuning-step"), t.child("tuning-octave"),
                                      t.child("tuning-alter"), 0);
            if (midi >= 0) lines[static_cast<std::size_t>(line - 1)] = midi;
        }
        if (std::find(lines.begin(), lines.end(), -1) == lines.end()) {
            track_.tuning.assign(lines.rbegin(), lines.rend());
        } else if (lines.size() != 6) {
            track_.tuning.assign(lines.size(), 0);  // strings without a known tuning
        }
        track_.capo = static_cast<int>(std::clamp(number(details.child("capo")), 0L, 24L));
    }

    void readNote(xml_node note) {
        if (note.child("grace")) {
            if (isChosen(note)) track_.lost.add(Lost::GraceNote);
            return;
        }
        const bool chord = note.child("chord");
        const long length = units(note.child("duration"));
        const long onset = chord ? lastOnset_ : time_;
        if (!chord) {
            lastOnset_ = time_;
            time_ += length;
        }
        if (note.child("cue")) return;
        const bool rest = note.child("rest");
        if (!isChosen(note)) {
            // A notation staff above tablature doubles the tablature's notes.
            const bool doubled = choice_.tablature && staffOf(note) != choice_.staff;
            if (!rest && !doubled) track_.lost.add(Lost::OtherVoice);
            return;
        }
        if (rest) {
            if (!chord) events_.push_back({onset, length, {}});
            return;
        }
        score::Note n = readPitchAndPlace(note);
        readNotations(note, n);
        if (note.child("lyric")) pieceLost_.add(Lost::Lyrics);
        if (chord && !events_.empty() && events_.back().onset == onset) {
            events_.back().notes.push_back(n);
        } else {
            events_.push_back({onset, length, {n}});
        }
    }

    bool isChosen(xml_node note) const {
        return staffOf(note) == choice_.staff && voiceOf(note) == choice_.voice;
    }

    score::Note readPitchAndPlace(xml_node note) const {
        score::Note n;
        if (xml_node pitch = note.child("pitch")) {
            n.pitch = midiNote(pitch.child_value("step"), pitch.child("octave"),
                               pitch.child("alter"), transpose_);
        }
        if (note.child("unpitched")) n.dead = true;
        if (std::strcmp(note.child_value("notehead"), "x") == 0) n.dead = true;
        for (xml_node tie : note.children("tie")) {
            if (std::strcmp(tie.attribute("type").value(), "stop") == 0) n.tied = true;
        }
        xml_node technical = note.child("notations").child("technical");
        if (technical.child("string") && technical.child("fret")) {
            n.string = static_cast<int>(number(technical.child("string")));
            // Frets are written from the capo; the score counts them from the nut.
            n.fret = static_cast<int>(number(technical.child("fret"))) + track_.capo;
            if (n.string < 1 || n.fret < 0) n.string = 0, n.fret = -1;
        }
        return n;
    }

    void readNotations(xml_node note, score::Note& n) {
        LostItems& lost = track_.lost;
        for (xml_node notations : note.children("notations")) {
            for (xml_node child : notations.children()) {
                if (named(child, "tied") &&
                    std::strcmp(child.attribute("type").value(), "stop") == 0) {
                    n.tied = true;
                } else if ((named(child, "slide") || named(child, "glissando")) &&
                           std::strcmp(child.attribute("type").value(), "stop") != 0) {
                    lost.add(Lost::Slide);
                } else if (named(child, "dynamics")) {
                    pieceLost_.add(Lost::Dynamics);
                } else if (named(child, "arpeggiate")) {
                    lost.add(Lost::Strum);
                } else if (named(child, "technical")) {
                    readTechnical(child, n);
                } else if (named(child, "ornaments")) {
                    for (xml_node o : child.children()) {
                        if (named(o, "trill-mark")) lost.add(Lost::Trill);
                        if (named(o, "tremolo")) lost.add(Lost::TremoloPicking);
                        if (named(o, "wavy-line") &&
                            std::strcmp(o.attribute("type").value(), "start") == 0) {
                            lost.add(Lost::Vibrato);
                        }
                    }
                } else if (named(child, "articulations")) {
                    for (xml_node a : child.children()) {
                        if (named(a, "staccato") || named(a, "staccatissimo"))
                            lost.add(Lost::Staccato);
                        if (named(a, "accent") || named(a, "strong-accent")) lost.add(Lost::Accent);
                    }
                }
            }
        }
    }

    void readTechnical(xml_node technical, score::Note& n) {
        LostItems& lost = track_.lost;
        for (xml_node t : technical.children()) {
            const bool starts = std::strcmp(t.attribute("type").value(), "stop") != 0;
            if (named(t, "bend")) n.bend = true;
            if (named(t, "hammer-on") && starts) lost.add(Lost::HammerOn);
            if (named(t, "pull-off") && starts) lost.add(Lost::PullOff);
            if (named(t, "harmonic")) lost.add(Lost::Harmonic);
            if (named(t, "fingering")) lost.add(Lost::Fingering);
            if (named(t, "tap")) lost.add(Lost::SlapPop);
        }
    }

    void readDirection(xml_node direction) {
        for (xml_node type : direction.children("direction-type")) {
            if (type.child("dynamics")) pieceLost_.add(Lost::Dynamics);
            if (type.child("words") && !text(type.child("words")).empty())
                track_.lost.add(Lost::Text);
            if (xml_node metronome = type.child("metronome");
                metronome && !direction.child("sound")) {
                setTempo(metronomeTempo(metronome));
            }
        }
        if (xml_node sound = direction.child("sound")) readSound(sound);
    }

    // A metronome mark in quarter notes a minute: "dotted quarter = 60" is 90.
    static double metronomeTempo(xml_node metronome) {
        static constexpr std::array<std::pair<const char*, double>, 6> kUnits = {{{"whole", 4},
                                                                                  {"half", 2},
                                                                                  {"quarter", 1},
                                                                                  {"eighth", 0.5},
                                                                                  {"16th", 0.25},
                                                                                  {"32nd", 0.125}}};
        double quarters = 0;
        for (const auto& [name, q] : kUnits) {
            if (std::strcmp(metronome.child_value("beat-unit"), name) == 0) quarters = q;
        }
        if (metronome.child("beat-unit-dot")) quarters *= 1.5;
        return quarters * static_cast<double>(number(metronome.child("per-minute")));
    }

    void readSound(xml_node sound) {
        if (pugi::xml_attribute tempo = sound.attribute("tempo")) setTempo(tempo.as_double());
        for (const char* jump : {"dacapo", "dalsegno", "tocoda"}) {
            if (sound.attribute(jump)) pieceLost_.add(Lost::Jump);
        }
    }

    void setTempo(double tempo) {
        score::BarInfo* b = bar();
        if (b != nullptr && b->tempo == 0 && tempo > 0 && tempo < 1000) b->tempo = tempo;
    }

    void readBarline(xml_node barline) {
        score::BarInfo* b = bar();
        if (b == nullptr) return;
        if (xml_node repeat = barline.child("repeat")) {
            if (std::strcmp(repeat.attribute("direction").value(), "forward") == 0) {
                b->repeatStart = true;
            } else {
                b->repeatPlays = std::clamp(repeat.attribute("times").as_int(kDefaultPlays), 1, 99);
            }
        }
        if (xml_node ending = barline.child("ending")) {
            if (std::strcmp(ending.attribute("type").value(), "start") == 0) {
                ending_ = endingNumbers(ending.attribute("number").value());
                b->endings = ending_;
            } else {
                ending_ = 0;
            }
        }
    }

    // "1, 2" or "1 2" as the bits of passes 1 and 2.
    static unsigned endingNumbers(const char* list) {
        unsigned bits = 0;
        for (const char* p = list; *p != '\0';) {
            char* end = nullptr;
            const long n = std::strtol(p, &end, 10);
            if (end == p) {
                ++p;
                continue;
            }
            if (n >= 1 && n <= 32) bits |= 1u << (n - 1);
            p = end;
        }
        return bits;
    }

    // The measure's events one after another: gaps become rests, overlaps are cut.
    std::vector<score::Beat> beats() {
        std::stable_sort(events_.begin(), events_.end(),
                         [](const Event& a, const Event& b) { return a.onset < b.onset; });
        std::vector<score::Beat> out;
        long cursor = 0;
        for (std::size_t i = 0; i < events_.size(); ++i) {
            Event& e = events_[i];
            long start = std::max(e.onset, cursor);
            long stop = e.onset + e.length;
            if (i + 1 < events_.size())
                stop = std::min(stop, std::max(events_[i + 1].onset, start));
            if (start > cursor) out.push_back({start - cursor, {}});
            if (stop <= start) continue;
            out.push_back({stop - start, std::move(e.notes)});
            cursor = stop;
        }
        if (end_ > cursor) out.push_back({end_ - cursor, {}});
        return out;
    }

    score::Track& track_;
    std::vector<score::BarInfo>* bars_;
    LostItems& pieceLost_;
    Choice choice_;
    long divisions_ = 1;
    int transpose_ = 0;
    bool tuned_ = false;
    unsigned ending_ = 0;
    long time_ = 0;
    long end_ = 0;
    long lastOnset_ = 0;
    std::vector<Event> events_;
};

}  // namespace

void readPart(const std::vector<MeasureNodes>& measures, score::Track& track,
              std::vector<score::BarInfo>* bars, LostItems& pieceLost) {
    PartReader(track, bars, pieceLost).read(measures);
}

}  // namespace lutavo::musicxml
