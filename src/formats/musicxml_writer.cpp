// SPDX-License-Identifier: GPL-3.0-or-later
// A line of the song is a system; its bars are found as the page finds them (a bar ends before
// the note that would overfill it). A song without a time signature has one bar a line, whose
// hidden time signature is the line's length. A note length that no single note value has is
// written as tied notes; three triplet lengths in a row (5, 5, 6 ticks or 11, 11, 10) are a
// triplet.

#include "formats/musicxml_writer.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <numeric>
#include <sstream>
#include <vector>

#include "song/fret_codes.h"

namespace lutavo {

namespace {

using pugi::xml_node;

constexpr int kDivisionsPerTick = 3;  // 48 to a quarter: triplets of eighths come out whole
constexpr std::array<int, kStrings> kStandard = {40, 45, 50, 55, 59, 64};
constexpr int kTabVoice = 5;

struct NoteValue {
    int ticks;
    const char* type;
    int dots;
};

// Every length one note can have, longest first.
constexpr std::array<NoteValue, 16> kValues = {{{64, "whole", 0},
                                                {56, "half", 2},
                                                {48, "half", 1},
                                                {32, "half", 0},
                                                {28, "quarter", 2},
                                                {24, "quarter", 1},
                                                {16, "quarter", 0},
                                                {14, "eighth", 2},
                                                {12, "eighth", 1},
                                                {8, "eighth", 0},
                                                {7, "16th", 2},
                                                {6, "16th", 1},
                                                {4, "16th", 0},
                                                {3, "32nd", 1},
                                                {2, "32nd", 0},
                                                {1, "64th", 0}}};

struct Piece {
    int divisions = 0;
    const char* type = "quarter";
    int dots = 0;
    int triplet = 0;  // 1 first of a triplet, 2 inside, 3 last; 0 none
};

// One note of the song as the file writes it.
struct Voiced {
    int slot = 0;
    int pitch = 0;
    int fret = 0;  // from the capo
    bool tieIn = false;
    bool tieOut = false;
    bool bend = false;
    bool muted = false;
};

struct Step {
    int index = 0;
    int ticks = 0;
    int triplet = 0;
};

std::vector<Piece> piecesOf(const Step& step) {
    if (step.triplet > 0) {
        const bool eighths = step.ticks <= 6;
        return {{(eighths ? 16 : 32), eighths ? "eighth" : "quarter", 0, step.triplet}};
    }
    std::vector<Piece> pieces;
    int left = step.ticks;
    for (const NoteValue& v : kValues) {
        while (left >= v.ticks) {
            pieces.push_back({v.ticks * kDivisionsPerTick, v.type, v.dots, 0});
            left -= v.ticks;
        }
    }
    return pieces;
}

// Marks runs of three triplet lengths.
void findTriplets(std::vector<Step>& steps) {
    for (std::size_t i = 0; i + 2 < steps.size(); ++i) {
        for (const auto& [t, last] : {std::pair{5, 6}, std::pair{11, 10}}) {
            if (steps[i].ticks == t && steps[i + 1].ticks == t &&
                (steps[i + 2].ticks == t || steps[i + 2].ticks == last)) {
                steps[i].triplet = 1;
                steps[i + 1].triplet = 2;
                steps[i + 2].triplet = 3;
                i += 2;
                break;
            }
        }
    }
}

class Writer {
  public:
    Writer(const SongModel& s, const MusicXmlTexts& texts) : s_(s), texts_(texts) {
        sharpKey_ = s.songKey % 2 == 1;
        for (int slot = 1; slot <= kStrings; ++slot)
            open_[static_cast<std::size_t>(slot - 1)] =
                kStandard[static_cast<std::size_t>(slot - 1)] + s.altTuning[slot];
    }

    std::string text() {
        pugi::xml_document doc;
        xml_node decl = doc.append_child(pugi::node_declaration);
        decl.append_attribute("version") = "1.0";
        decl.append_attribute("encoding") = "UTF-8";
        doc.append_child(pugi::node_doctype)
            .set_value(
                "score-partwise PUBLIC \"-//Recordare//DTD MusicXML 3.1 Partwise//EN\" "
                "\"http://www.musicxml.org/dtds/partwise.dtd\"");
        xml_node root = doc.append_child("score-partwise");
        root.append_attribute("version") = "3.1";
        header(root);
        part_ = root.append_child("part");
        part_.append_attribute("id") = "P1";
        for (const std::vector<Step>& line : lines())
            writeLine(line);
        if (measureNumber_ == 0) writeMeasure({}, true);
        std::ostringstream out;
        doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
        return out.str();
    }

  private:
    void header(xml_node root) {
        root.append_child("work").append_child("work-title").text() = s_.songTitle.c_str();
        xml_node id = root.append_child("identification");
        xml_node creator = id.append_child("creator");
        creator.append_attribute("type") = "composer";
        creator.text() = texts_.right.c_str();
        id.append_child("encoding").append_child("software").text() = "Lutavo";
        if (!texts_.left.empty()) {
            xml_node credit = root.append_child("credit");
            credit.append_attribute("page") = 1;
            credit.append_child("credit-type").text() = "subtitle";
            credit.append_child("credit-words").text() = texts_.left.c_str();
        }
        xml_node scorePart = root.append_child("part-list").append_child("score-part");
        scorePart.append_attribute("id") = "P1";
        scorePart.append_child("part-name").text() = "Guitar";
        xml_node instrument = scorePart.append_child("score-instrument");
        instrument.append_attribute("id") = "P1-I1";
        instrument.append_child("instrument-name").text() = "Guitar";
        xml_node midi = scorePart.append_child("midi-instrument");
        midi.append_attribute("id") = "P1-I1";
        midi.append_child("midi-channel").text() = 1;
        midi.append_child("midi-program").text() = texts_.program + 1;
    }

    // The song's lines: the notes between line ends, without markers.
    std::vector<std::vector<Step>> lines() const {
        std::vector<std::vector<Step>> out(1);
        for (int n = 1; n <= s_.noteCount; ++n) {
            const int dur = s_.noteDur[n];
            if (dur == kEndOfPage) {
                out.emplace_back();
            } else if (!isMarker(dur) && dur > 0) {
                out.back().push_back({n, dur, 0});
            }
        }
        for (auto& line : out)
            findTriplets(line);
        return out;
    }

    int barTicks() const {
        return s_.timeSig >= 1 && s_.timeSig <= 5 ? s_.barTicks[s_.timeSig] : 0;
    }

    // Bars of a line as the page draws them.
    void writeLine(const std::vector<Step>& line) {
        if (line.empty()) return;
        const int bar = barTicks();
        std::vector<Step> measure;
        int count = 0;
        bool first = true;
        for (const Step& step : line) {
            const bool keepTriplet = step.triplet > 1;
            if (bar > 0 && !measure.empty() && count + step.ticks > bar && !keepTriplet) {
                writeMeasure(measure, first);
                first = false;
                measure.clear();
                count = 0;
            }
            measure.push_back(step);
            count += step.ticks;
        }
        writeMeasure(measure, first);
    }

    void writeMeasure(const std::vector<Step>& steps, bool newLine) {
        xml_node m = part_.append_child("measure");
        m.append_attribute("number") = ++measureNumber_;
        const int ticks = std::accumulate(steps.begin(), steps.end(), 0,
                                          [](int sum, const Step& st) { return sum + st.ticks; });
        if (measureNumber_ > 1 && newLine)
            m.append_child("print").append_attribute("new-system") = "yes";
        if (measureNumber_ == 1) {
            if (barTicks() > 0 && ticks < barTicks() && !steps.empty())
                m.append_attribute("implicit") = "yes";
            attributes(m, ticks);
            tempo(m);
        } else if (barTicks() == 0) {
            hiddenTime(m.append_child("attributes"), ticks);
        }
        std::array<int, kStrings> sounding = sounding_;
        for (int staff = 1; staff <= 2; ++staff) {
            sounding_ = sounding;
            if (staff == 2)
                m.append_child("backup").append_child("duration").text() =
                    ticks * kDivisionsPerTick;
            for (const Step& step : steps)
                writeStep(m, step, staff);
            if (steps.empty()) {
                xml_node rest = m.append_child("note");
                rest.append_child("rest").append_attribute("measure") = "yes";
                rest.append_child("duration").text() = std::max(barTicks(), 64) * kDivisionsPerTick;
                rest.append_child("voice").text() = staff == 1 ? 1 : kTabVoice;
                rest.append_child("staff").text() = staff;
            }
        }
    }

    void attributes(xml_node m, int ticks) {
        xml_node a = m.append_child("attributes");
        a.append_child("divisions").text() = 16 * kDivisionsPerTick;
        a.append_child("key").append_child("fifths").text() = fifths();
        if (barTicks() > 0) {
            static constexpr std::array<std::pair<int, int>, 5> kSigs = {
                {{2, 2}, {2, 4}, {3, 4}, {4, 4}, {6, 8}}};
            const auto [beats, type] = kSigs[static_cast<std::size_t>(s_.timeSig - 1)];
            xml_node time = a.append_child("time");
            time.append_child("beats").text() = beats;
            time.append_child("beat-type").text() = type;
        } else {
            hiddenTime(a, ticks);
        }
        a.append_child("staves").text() = 2;
        xml_node clef = a.append_child("clef");
        clef.append_attribute("number") = 1;
        clef.append_child("sign").text() = "G";
        clef.append_child("line").text() = 2;
        clef.append_child("clef-octave-change").text() = -1;
        xml_node tab = a.append_child("clef");
        tab.append_attribute("number") = 2;
        tab.append_child("sign").text() = "TAB";
        tab.append_child("line").text() = 5;
        xml_node details = a.append_child("staff-details");
        details.append_attribute("number") = 2;
        details.append_child("staff-lines").text() = kStrings;
        for (int slot = 1; slot <= kStrings; ++slot) {
            xml_node t = details.append_child("staff-tuning");
            t.append_attribute("line") = slot;
            const Spelled p = spell(open_[static_cast<std::size_t>(slot - 1)]);
            t.append_child("tuning-step").text() = p.step;
            if (p.alter != 0) t.append_child("tuning-alter").text() = p.alter;
            t.append_child("tuning-octave").text() = p.octave;
        }
        if (s_.capo > 0) details.append_child("capo").text() = s_.capo;
    }

    // A line without bar lines is one bar as long as the line: 25 sixteenths are 25/16.
    static void hiddenTime(xml_node attributes, int ticks) {
        int type = 64;
        int beats = std::max(ticks, 1);
        while (type > 1 && beats % 2 == 0) {
            beats /= 2;
            type /= 2;
        }
        xml_node time = attributes.append_child("time");
        time.append_attribute("print-object") = "no";
        time.append_child("beats").text() = beats;
        time.append_child("beat-type").text() = type;
    }

    void tempo(xml_node m) {
        const double quarters = 60000.0 / (16.0 * (2 * s_.tempo + 20));
        xml_node d = m.append_child("direction");
        d.append_attribute("placement") = "above";
        xml_node metronome = d.append_child("direction-type").append_child("metronome");
        metronome.append_child("beat-unit").text() = "quarter";
        metronome.append_child("per-minute").text() = static_cast<int>(quarters + 0.5);
        char exact[32];
        std::snprintf(exact, sizeof exact, "%.3f", quarters);
        d.append_child("sound").append_attribute("tempo") = exact;
    }

    int fifths() const {
        const int k = std::min<int>(s_.songKey, 15);
        if (k <= 1) return 0;
        return k % 2 == 1 ? (k - 1) / 2 : -(k / 2);
    }

    struct Spelled {
        const char* step;
        int alter;
        int octave;
    };

    Spelled spell(int midi) const {
        static constexpr std::array<std::pair<const char*, int>, 12> kSharps = {{{"C", 0},
                                                                                 {"C", 1},
                                                                                 {"D", 0},
                                                                                 {"D", 1},
                                                                                 {"E", 0},
                                                                                 {"F", 0},
                                                                                 {"F", 1},
                                                                                 {"G", 0},
                                                                                 {"G", 1},
                                                                                 {"A", 0},
                                                                                 {"A", 1},
                                                                                 {"B", 0}}};
        static constexpr std::array<std::pair<const char*, int>, 12> kFlats = {{{"C", 0},
                                                                                {"D", -1},
                                                                                {"D", 0},
                                                                                {"E", -1},
                                                                                {"E", 0},
                                                                                {"F", 0},
                                                                                {"G", -1},
                                                                                {"G", 0},
                                                                                {"A", -1},
                                                                                {"A", 0},
                                                                                {"B", -1},
                                                                                {"B", 0}}};
        const auto& [step, alter] =
            (sharpKey_ ? kSharps : kFlats)[static_cast<std::size_t>(midi % 12)];
        return {step, alter, midi / 12 - 1};
    }

    // The notes of one step on one staff, tied over the pieces its length is written in.
    void writeStep(xml_node m, const Step& step, int staff) {
        std::vector<Voiced> notes = voiced(step.index);
        const std::vector<Piece> pieces = piecesOf(step);
        for (std::size_t p = 0; p < pieces.size(); ++p) {
            std::vector<Voiced> now;
            for (Voiced v : notes) {
                if (v.muted && p > 0) continue;
                if (p > 0) v.tieIn = true, v.bend = false;
                if (p + 1 < pieces.size() && !v.muted) v.tieOut = true;
                now.push_back(v);
            }
            writePiece(m, pieces[p], now, staff);
        }
    }

    // The strings sounding in note n: struck, held on from before, bent, muted.
    std::vector<Voiced> voiced(int n) {
        std::vector<Voiced> out;
        for (int slot = 1; slot <= kStrings; ++slot) {
            const int code = s_.noteFret(n, slot);
            const std::size_t i = static_cast<std::size_t>(slot - 1);
            Voiced v;
            v.slot = slot;
            int fret = s_.capo;  // from the nut
            if (hasFret(code)) {
                fret = fretOf(code);
                v.tieIn = isHeld(code) && sounding_[i] == fret;
                sounding_[i] = fret;
            } else if (code == kBend && sounding_[i] >= 0) {
                fret = sounding_[i];
                v.tieIn = true;
                v.bend = true;
            } else if (code == kMuted) {
                v.muted = true;
                sounding_[i] = -1;
            } else {
                sounding_[i] = -1;
                continue;
            }
            v.pitch = open_[i] + fret;
            v.fret = std::max(fret - s_.capo, 0);
            // The note goes on when the next one holds it or bends it.
            const int next = n < s_.noteCount ? s_.noteFret(n + 1, slot) : kSilent;
            v.tieOut = !v.muted && ((isHeld(next) && fretOf(next) == fret) || next == kBend);
            out.push_back(v);
        }
        return out;
    }

    void writePiece(xml_node m, const Piece& piece, const std::vector<Voiced>& notes, int staff) {
        if (notes.empty()) {
            xml_node rest = m.append_child("note");
            rest.append_child("rest");
            noteBody(rest, piece, staff);
            return;
        }
        for (std::size_t k = 0; k < notes.size(); ++k) {
            const Voiced& v = notes[k];
            xml_node note = m.append_child("note");
            if (k > 0) note.append_child("chord");
            const Spelled p = spell(v.pitch);
            xml_node pitch = note.append_child("pitch");
            pitch.append_child("step").text() = p.step;
            if (p.alter != 0) pitch.append_child("alter").text() = p.alter;
            pitch.append_child("octave").text() = p.octave;
            noteBody(note, piece, staff, &v);
        }
    }

    void noteBody(xml_node note, const Piece& piece, int staff, const Voiced* v = nullptr) {
        note.append_child("duration").text() = piece.divisions;
        if (v != nullptr && v->tieIn) note.append_child("tie").append_attribute("type") = "stop";
        if (v != nullptr && v->tieOut) note.append_child("tie").append_attribute("type") = "start";
        note.append_child("voice").text() = staff == 1 ? 1 : kTabVoice;
        note.append_child("type").text() = piece.type;
        for (int d = 0; d < piece.dots; ++d)
            note.append_child("dot");
        if (piece.triplet > 0) {
            xml_node tm = note.append_child("time-modification");
            tm.append_child("actual-notes").text() = 3;
            tm.append_child("normal-notes").text() = 2;
        }
        if (v != nullptr && v->muted) note.append_child("notehead").text() = "x";
        note.append_child("staff").text() = staff;
        xml_node notations;
        auto notationsNode = [&] {
            if (!notations) notations = note.append_child("notations");
            return notations;
        };
        if (v != nullptr && v->tieIn)
            notationsNode().append_child("tied").append_attribute("type") = "stop";
        if (v != nullptr && v->tieOut)
            notationsNode().append_child("tied").append_attribute("type") = "start";
        if (piece.triplet == 1 || piece.triplet == 3) {
            notationsNode().append_child("tuplet").append_attribute("type") =
                piece.triplet == 1 ? "start" : "stop";
        }
        if (v != nullptr && staff == 2) {
            xml_node technical = notationsNode().append_child("technical");
            technical.append_child("string").text() = kStrings + 1 - v->slot;
            technical.append_child("fret").text() = v->fret;
            if (v->bend) technical.append_child("bend").append_child("bend-alter").text() = 1;
        }
    }

    const SongModel& s_;
    const MusicXmlTexts& texts_;
    bool sharpKey_ = true;
    std::array<int, kStrings> open_{};
    std::array<int, kStrings> sounding_{-1, -1, -1, -1, -1, -1};
    xml_node part_;
    int measureNumber_ = 0;
};

}  // namespace

std::string musicXmlText(const SongModel& song, const MusicXmlTexts& texts) {
    return Writer(song, texts).text();
}

}  // namespace lutavo
