// SPDX-License-Identifier: GPL-3.0-or-later
// The document keeps each kind of thing in a list of its own, joined by ids: the master bars
// (time, key, repeats) name one bar per track, a bar names its voices, a voice its beats, a
// beat its rhythm and its notes. Strings are counted from the lowest, 0 first, and the tuning
// is listed from the lowest string up.

#include "formats/gpif_reader.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <unordered_map>

#include "formats/instruments.h"
#include "formats/zip_archive.h"

namespace lutavo {

namespace {

using pugi::xml_node;

constexpr std::size_t kMaxTracks = 64;
constexpr std::size_t kMaxBars = 10000;

std::vector<long> numbers(const char* text) {
    std::vector<long> out;
    std::istringstream in(text);
    long v = 0;
    while (out.size() < 100000 && in >> v)
        out.push_back(v);
    return out;
}

// Elements of one list by their id attribute.
std::unordered_map<long, xml_node> byId(xml_node list) {
    std::unordered_map<long, xml_node> map;
    for (xml_node n : list.children())
        map.emplace(n.attribute("id").as_llong(-1), n);
    return map;
}

xml_node property(xml_node owner, const char* name) {
    for (xml_node p : owner.child("Properties").children("Property")) {
        if (std::strcmp(p.attribute("name").value(), name) == 0) return p;
    }
    return {};
}

bool enabled(xml_node owner, const char* name) {
    return static_cast<bool>(property(owner, name));
}

long rhythmLength(xml_node rhythm) {
    static constexpr std::array<std::pair<const char*, long>, 8> kValues = {
        {{"Whole", 4 * score::kQuarter},
         {"Half", 2 * score::kQuarter},
         {"Quarter", score::kQuarter},
         {"Eighth", score::kQuarter / 2},
         {"16th", score::kQuarter / 4},
         {"32nd", score::kQuarter / 8},
         {"64th", score::kQuarter / 16},
         {"128th", score::kQuarter / 32}}};
    long length = score::kQuarter;
    for (const auto& [name, units] : kValues) {
        if (std::strcmp(rhythm.child_value("NoteValue"), name) == 0) length = units;
    }
    const int dots = rhythm.child("AugmentationDot").attribute("count").as_int(0);
    long add = length;
    for (int d = 0; d < dots && d < 3; ++d) {
        add /= 2;
        length += add;
    }
    xml_node tuplet = rhythm.child("PrimaryTuplet");
    const long num = tuplet.attribute("num").as_int(1);
    const long den = tuplet.attribute("den").as_int(1);
    if (num >= 1 && den >= 1 && num <= 64 && den <= 64) length = length * den / num;
    return length;
}

class GpifReader {
  public:
    explicit GpifReader(xml_node root)
        : root_(root),
          bars_(byId(root.child("Bars"))),
          voices_(byId(root.child("Voices"))),
          beats_(byId(root.child("Beats"))),
          notes_(byId(root.child("Notes"))),
          rhythms_(byId(root.child("Rhythms"))) {}

    score::Score read() {
        score::Score piece;
        xml_node info = root_.child("Score");
        piece.title = info.child_value("Title");
        piece.subtitle = info.child_value("SubTitle");
        piece.composer = info.child_value("Music");
        if (piece.composer.empty()) piece.composer = info.child_value("Artist");
        readTempo(piece);
        for (xml_node t : root_.child("Tracks").children("Track")) {
            if (piece.tracks.size() >= kMaxTracks) break;
            piece.tracks.push_back(describeTrack(t));
            if (!std::string(t.child("Lyrics").child("Line").child_value("Text")).empty())
                piece.lost.add(Lost::Lyrics);
        }
        for (xml_node master : root_.child("MasterBars").children("MasterBar")) {
            if (piece.bars.size() >= kMaxBars) break;
            piece.bars.push_back(readMasterBar(master, piece.bars));
            const std::vector<long> ids = numbers(master.child_value("Bars"));
            for (std::size_t t = 0; t < piece.tracks.size(); ++t)
                piece.tracks[t].bars.push_back(t < ids.size() ? readBar(ids[t], piece.tracks[t])
                                                              : std::vector<score::Beat>{});
        }
        return piece;
    }

  private:
    void readTempo(score::Score& piece) {
        for (xml_node a : root_.child("MasterTrack").child("Automations").children("Automation")) {
            if (std::strcmp(a.child_value("Type"), "Tempo") != 0) continue;
            const double tempo = std::atof(a.child_value("Value"));
            if (std::atol(a.child_value("Bar")) == 0 && tempo > 0 && tempo < 1000) {
                piece.tempo = tempo;
            } else {
                piece.lost.add(Lost::TempoChange);
            }
        }
    }

    static score::Track describeTrack(xml_node t) {
        score::Track track;
        track.name = t.child_value("Name");
        track.instrument = t.child("InstrumentSet").child_value("Name");
        track.program =
            std::atoi(t.child("Sounds").child("Sound").child("MIDI").child_value("Program"));
        if (std::strcmp(t.child("InstrumentSet").child_value("Type"), "drumKit") == 0)
            track.drums = true;
        // Version 7 keeps the tuning with each staff, version 6 with the track.
        xml_node owner = t.child("Staves").child("Staff");
        if (!owner) owner = t;
        const std::vector<long> pitches = numbers(property(owner, "Tuning").child_value("Pitches"));
        for (auto it = pitches.rbegin(); it != pitches.rend(); ++it)
            track.tuning.push_back(*it >= 0 && *it <= 127 ? static_cast<int>(*it) : 0);
        track.capo = std::clamp(
            static_cast<int>(std::atol(property(owner, "CapoFret").child_value("Fret"))), 0, 24);
        if (track.instrument.empty()) track.instrument = instrumentName(track.program, track.drums);
        return track;
    }

    static score::BarInfo readMasterBar(xml_node master,
                                        const std::vector<score::BarInfo>& before) {
        score::BarInfo bar = before.empty() ? score::BarInfo{} : before.back();
        bar.tempo = 0;
        if (const char* time = master.child_value("Time"); *time != '\0') {
            const int beats = std::atoi(time);
            const char* slash = std::strchr(time, '/');
            const int type = slash != nullptr ? std::atoi(slash + 1) : 0;
            if (beats >= 1 && beats <= 64 && type >= 1 && type <= 64) {
                bar.beats = beats;
                bar.beatType = type;
            }
        }
        if (xml_node key = master.child("Key"); key.child("AccidentalCount")) {
            bar.fifths = std::clamp(std::atoi(key.child_value("AccidentalCount")), -7, 7);
        }
        xml_node repeat = master.child("Repeat");
        bar.repeatStart = repeat.attribute("start").as_bool();
        bar.repeatPlays = repeat.attribute("end").as_bool()
                              ? std::clamp(repeat.attribute("count").as_int(2), 2, 99)
                              : 0;
        bar.endings = 0;
        for (long n : numbers(master.child_value("AlternateEndings"))) {
            if (n >= 1 && n <= 32) bar.endings |= 1u << (n - 1);
        }
        return bar;
    }

    // The beats of the bar's first voice; the notes of the others are counted.
    std::vector<score::Beat> readBar(long id, score::Track& track) {
        std::vector<score::Beat> beats;
        const auto bar = bars_.find(id);
        if (bar == bars_.end()) return beats;
        bool first = true;
        for (long voiceId : numbers(bar->second.child_value("Voices"))) {
            const auto voice = voices_.find(voiceId);
            if (voiceId < 0 || voice == voices_.end()) continue;
            LostItems otherVoice;
            for (long beatId : numbers(voice->second.child_value("Beats"))) {
                const auto beat = beats_.find(beatId);
                if (beat == beats_.end()) continue;
                score::Beat b = readBeat(beat->second, track, first ? track.lost : otherVoice);
                if (b.length <= 0) continue;
                if (first) {
                    beats.push_back(std::move(b));
                } else {
                    track.lost.add(Lost::OtherVoice, static_cast<int>(b.notes.size()));
                }
            }
            first = false;
        }
        return beats;
    }

    score::Beat readBeat(xml_node beat, const score::Track& track, LostItems& lost) {
        score::Beat b;
        const auto rhythm = rhythms_.find(beat.child("Rhythm").attribute("ref").as_llong(-1));
        b.length = rhythm != rhythms_.end() ? rhythmLength(rhythm->second) : score::kQuarter;
        if (beat.child("GraceNotes")) {
            lost.add(Lost::GraceNote);
            return {};
        }
        if (beat.child("Chord")) lost.add(Lost::ChordName);
        for (long noteId : numbers(beat.child_value("Notes"))) {
            const auto note = notes_.find(noteId);
            if (note != notes_.end()) b.notes.push_back(readNote(note->second, track, lost));
        }
        return b;
    }

    static score::Note readNote(xml_node note, const score::Track& track, LostItems& lost) {
        score::Note n;
        const long string = std::atol(property(note, "String").child_value("String"));
        const long fret = std::atol(property(note, "Fret").child_value("Fret"));
        if (property(note, "String") && string >= 0 &&
            string < static_cast<long>(track.tuning.size())) {
            n.string = static_cast<int>(track.tuning.size()) - static_cast<int>(string);
            n.fret = static_cast<int>(fret) + track.capo;
        }
        if (xml_node midi = property(note, "Midi")) n.pitch = std::atoi(midi.child_value("Number"));
        n.tied = note.child("Tie").attribute("destination").as_bool();
        n.dead = enabled(note, "Muted");
        n.bend = enabled(note, "Bended");
        if (enabled(note, "Slide")) lost.add(Lost::Slide);
        if (enabled(note, "HopoOrigin")) lost.add(Lost::Legato);
        if (enabled(note, "PalmMuted")) lost.add(Lost::PalmMute);
        if (enabled(note, "HarmonicType")) lost.add(Lost::Harmonic);
        if (note.child("LetRing")) lost.add(Lost::LetRing);
        if (note.child("Vibrato")) lost.add(Lost::Vibrato);
        if (note.child("Accent")) lost.add(Lost::Accent);
        return n;
    }

    xml_node root_;
    std::unordered_map<long, xml_node> bars_, voices_, beats_, notes_, rhythms_;
};

}  // namespace

score::ReadResult readGpif(std::string_view xml) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_buffer(xml.data(), xml.size());
    if (!parsed) {
        return score::ImportFailure{std::string("its score is not readable XML (") +
                                    parsed.description() + ")"};
    }
    xml_node root = doc.child("GPIF");
    if (!root) return score::ImportFailure{"its score is not in the layout of a tablature file"};
    score::Score piece = GpifReader(root).read();
    if (piece.tracks.empty() || piece.bars.empty())
        return score::ImportFailure{"its score holds no track with bars"};
    return piece;
}

score::ReadResult readZippedTab(std::string_view archive, std::size_t limit) {
    const ZipEntry entry = readZipEntry(archive, kGpifEntry, limit);
    if (!entry.bytes) return score::ImportFailure{entry.why};
    return readGpif(*entry.bytes);
}

}  // namespace lutavo
