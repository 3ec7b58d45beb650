// SPDX-License-Identifier: GPL-3.0-or-later
// A MusicXML part is read as one track: the tablature staff when the part has one (its notes
// carry strings and frets), else the first staff; of that staff the first voice. The other
// voices and staves are counted as not kept; a part's notation staff that doubles its
// tablature is not.

#include "formats/musicxml_reader.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "formats/instruments.h"
#include "formats/musicxml_notes.h"
#include "formats/zip_archive.h"

namespace lutavo {

namespace {

using pugi::xml_node;

constexpr int kMaxParts = 64;
constexpr int kMaxMeasures = 10000;
constexpr int kDrumChannel = 10;

// The measures of one part in order: the measure element and the element holding its music,
// which is the measure itself in a partwise score and the part inside it in a timewise one.
std::vector<musicxml::MeasureNodes> partMeasures(xml_node root, const char* id, bool timewise) {
    std::vector<musicxml::MeasureNodes> measures;
    if (!timewise) {
        for (xml_node part : root.children("part")) {
            if (std::strcmp(part.attribute("id").value(), id) != 0) continue;
            for (xml_node m : part.children("measure")) {
                if (measures.size() >= kMaxMeasures) break;
                measures.push_back({m, m});
            }
            break;
        }
        return measures;
    }
    for (xml_node m : root.children("measure")) {
        if (measures.size() >= kMaxMeasures) break;
        for (xml_node part : m.children("part")) {
            if (std::strcmp(part.attribute("id").value(), id) == 0) measures.push_back({m, part});
        }
    }
    return measures;
}

std::string text(xml_node node) {
    std::string t = node.child_value();
    const std::size_t first = t.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return t.substr(first, t.find_last_not_of(" \t\r\n") - first + 1);
}

std::string creditOfType(xml_node root, const char* type) {
    for (xml_node credit : root.children("credit")) {
        if (text(credit.child("credit-type")) == type) return text(credit.child("credit-words"));
    }
    return {};
}

void readTexts(xml_node root, score::Score& piece) {
    const std::string work = text(root.child("work").child("work-title"));
    const std::string movement = text(root.child("movement-title"));
    piece.title = !work.empty() ? work : movement;
    if (!work.empty() && movement != work) piece.subtitle = movement;
    const std::string subtitle = creditOfType(root, "subtitle");
    if (!subtitle.empty()) piece.subtitle = subtitle;
    for (xml_node creator : root.child("identification").children("creator")) {
        if (std::strcmp(creator.attribute("type").value(), "composer") == 0) {
            piece.composer = text(creator);
            break;
        }
    }
    if (piece.composer.empty()) piece.composer = creditOfType(root, "composer");
}

// A part of the part list: its name and what plays it.
score::Track describePart(xml_node scorePart) {
    score::Track track;
    track.name = text(scorePart.child("part-name"));
    track.instrument = text(scorePart.child("score-instrument").child("instrument-name"));
    xml_node midi = scorePart.child("midi-instrument");
    const int program = std::atoi(midi.child_value("midi-program")) - 1;
    track.program = program;
    track.drums = std::atoi(midi.child_value("midi-channel")) == kDrumChannel;
    if (track.instrument.empty() || track.drums) {
        const std::string general = instrumentName(program, track.drums);
        if (!general.empty()) track.instrument = general;
    }
    return track;
}

}  // namespace

score::ReadResult readMusicXml(std::string_view xml) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(xml.data(), xml.size(), pugi::parse_default, pugi::encoding_auto);
    if (!parsed) {
        return score::ImportFailure{std::string("it is not readable XML (") + parsed.description() +
                                    " at byte " + std::to_string(parsed.offset) + ")"};
    }
    xml_node root = doc.child("score-partwise");
    const bool timewise = !root;
    if (timewise) root = doc.child("score-timewise");
    if (!root) {
        return score::ImportFailure{
            std::string("it is XML but no MusicXML score (it begins with <") +
            doc.document_element().name() + ">)"};
    }
    score::Score piece;
    readTexts(root, piece);
    for (xml_node scorePart : root.child("part-list").children("score-part")) {
        if (piece.tracks.size() >= kMaxParts) break;
        const char* id = scorePart.attribute("id").value();
        score::Track track = describePart(scorePart);
        musicxml::readPart(partMeasures(root, id, timewise), track,
                           piece.tracks.empty() ? &piece.bars : nullptr, piece.lost);
        if (!track.bars.empty()) piece.tracks.push_back(std::move(track));
    }
    if (piece.tracks.empty()) return score::ImportFailure{"its score holds no part with music"};
    return piece;
}

score::ReadResult readCompressedMusicXml(std::string_view archive, std::size_t limit) {
    // The container names the score; an archive without one is tried for a score at its top.
    const ZipEntry container = readZipEntry(archive, "META-INF/container.xml", limit);
    std::string path;
    if (container.bytes) {
        pugi::xml_document doc;
        if (doc.load_buffer(container.bytes->data(), container.bytes->size())) {
            path = doc.child("container")
                       .child("rootfiles")
                       .child("rootfile")
                       .attribute("full-path")
                       .value();
        }
    }
    if (path.empty()) {
        const auto names = zipEntryNames(archive);
        if (!names) return score::ImportFailure{"it is not a readable zip archive"};
        for (const std::string& name : *names) {
            if (name.find('/') == std::string::npos &&
                (name.ends_with(".xml") || name.ends_with(".musicxml"))) {
                path = name;
                break;
            }
        }
    }
    if (path.empty()) return score::ImportFailure{"its archive holds no MusicXML score"};
    const ZipEntry entry = readZipEntry(archive, path, limit);
    if (!entry.bytes) return score::ImportFailure{entry.why};
    return readMusicXml(*entry.bytes);
}

}  // namespace lutavo
