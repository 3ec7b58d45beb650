// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "fakes/test_rig.h"

#include <pugixml.hpp>

#include <sstream>

#include "formats/fixtures/zip_fixture.h"
#include "formats/musicxml_reader.h"
#include "formats/score_file.h"

namespace lutavo {
namespace {

// A part with a standard and a tablature staff (dropped D, capo 1) and a piano part with two
// voices; a repeat with two endings, a tempo, a key, a line break.
const std::string kScore =
    test::readFile(std::string(LUTAVO_TEST_SOURCE_DIR) + "/data/formats/etude.musicxml");

// The same music written measure by measure, each holding every part.
std::string timewise(const std::string& partwise) {
    pugi::xml_document in;
    in.load_string(partwise.c_str());
    pugi::xml_document out;
    pugi::xml_node root = out.append_child("score-timewise");
    for (pugi::xml_node n : in.child("score-partwise").children()) {
        if (std::string(n.name()) != "part") root.append_copy(n);
    }
    for (pugi::xml_node part : in.child("score-partwise").children("part")) {
        int i = 0;
        for (pugi::xml_node m : part.children("measure")) {
            pugi::xml_node measure = root.find_child([&](pugi::xml_node c) {
                return std::string(c.name()) == "measure" &&
                       c.attribute("number").as_int() == i + 1;
            });
            if (!measure) {
                measure = root.append_child("measure");
                measure.append_attribute("number") = i + 1;
            }
            pugi::xml_node p = measure.append_child("part");
            p.append_attribute("id") = part.attribute("id").value();
            for (pugi::xml_node c : m.children())
                p.append_copy(c);
            ++i;
        }
    }
    std::ostringstream text;
    out.save(text);
    return text.str();
}

void expectTheEtude(const score::Score& s) {
    EXPECT_EQ(s.title + "|" + s.subtitle + "|" + s.composer, "Etude|Study 1|A. Writer");
    ASSERT_EQ(s.bars.size(), 4u);
    EXPECT_EQ(s.bars[0].beats * 10 + s.bars[0].beatType, 34);
    EXPECT_EQ(s.bars[0].fifths, 2);
    EXPECT_EQ(s.bars[0].tempo, 90);
    EXPECT_TRUE(s.bars[1].repeatStart);
    EXPECT_EQ(s.bars[2].endings, 1u);
    EXPECT_EQ(s.bars[3].endings, 6u);
    EXPECT_EQ(s.bars[3].repeatPlays, 3);
    EXPECT_TRUE(s.bars[3].newSystem);
    EXPECT_FALSE(s.bars[2].newSystem);

    ASSERT_EQ(s.tracks.size(), 2u);
    const score::Track& lead = s.tracks[0];
    EXPECT_EQ(lead.name + "|" + lead.instrument, "Lead|Jazz guitar");
    EXPECT_EQ(lead.tuning, (std::vector<int>{64, 59, 55, 50, 45, 38}));
    EXPECT_EQ(lead.capo, 1);
    // The tablature staff's notes, not the standard staff's; frets from the nut.
    const auto& beats = lead.bars[0];
    ASSERT_EQ(beats.size(), 3u);
    EXPECT_EQ(beats[0].length, 960);
    EXPECT_EQ(beats[0].notes[0].string * 10 + beats[0].notes[0].fret, 62);
    ASSERT_EQ(beats[1].notes.size(), 2u);
    EXPECT_TRUE(beats[1].notes[1].dead);
    EXPECT_TRUE(beats[2].notes[0].tied && beats[2].notes[0].bend);
    EXPECT_EQ(lead.lost.count(Lost::HammerOn), 1);
    EXPECT_EQ(lead.lost.count(Lost::OtherVoice), 0);

    const score::Track& piano = s.tracks[1];
    EXPECT_TRUE(piano.tuning.empty());
    EXPECT_EQ(piano.bars[0].at(0).notes.at(0).pitch, 61);
    EXPECT_EQ(piano.lost.count(Lost::OtherVoice), 1);
    EXPECT_EQ(s.lost.count(Lost::Lyrics), 1);
}

TEST(MusicXml, PartwiseAndTimewiseReadAlike) {
    for (const std::string& text : {std::string(kScore), timewise(kScore)}) {
        const auto read = readMusicXml(text);
        ASSERT_TRUE(std::holds_alternative<score::Score>(read))
            << std::get<score::ImportFailure>(read).message;
        expectTheEtude(std::get<score::Score>(read));
    }
}

// A compound time adds its parts; a count of more beats than a bar may hold, however many
// digits it has, is refused: the bar keeps four quarters.
TEST(MusicXml, TimesOfCompoundCountsAndOfCountsTooLarge) {
    for (const auto& [count, expected] :
         {std::pair{"3+2", 54}, std::pair{"60+4", 644}, std::pair{"60+5", 44},
          std::pair{"3+99999999999999999999999", 44}}) {
        std::string text = kScore;
        const std::string from = "<beats>3</beats>";
        text.replace(text.find(from), from.size(), std::string("<beats>") + count + "</beats>");
        const auto read = readMusicXml(text);
        ASSERT_TRUE(std::holds_alternative<score::Score>(read));
        const score::BarInfo& bar = std::get<score::Score>(read).bars.at(0);
        EXPECT_EQ(bar.beats * 10 + bar.beatType, expected) << count;
    }
}

TEST(MusicXml, CompressedScoresAreFoundThroughTheirContainerOrAtTheTop) {
    const std::string container =
        R"(<container><rootfiles><rootfile full-path="music/etude.xml"/></rootfiles></container>)";
    const std::string named =
        test::zipArchive({{"META-INF/container.xml", container}, {"music/etude.xml", kScore}});
    const std::string plain = test::zipArchive({{"etude.musicxml", kScore}});
    for (const std::string& archive : {named, plain}) {
        const auto read = readCompressedMusicXml(archive, 1 << 20);
        ASSERT_TRUE(std::holds_alternative<score::Score>(read))
            << std::get<score::ImportFailure>(read).message;
        expectTheEtude(std::get<score::Score>(read));
    }
    // A score that unpacks to more than the limit is refused before it is all in memory.
    const auto big = readCompressedMusicXml(plain, 1000);
    ASSERT_TRUE(std::holds_alternative<score::ImportFailure>(big));
    EXPECT_NE(std::get<score::ImportFailure>(big).message.find("more than"), std::string::npos);
}

TEST(ImportFiles, AFileThatIsNotWhatItsNameSaysIsRefusedWithTheReason) {
    const std::string zip = test::zipArchive({{"x.txt", "hello"}});
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"a.musicxml", "just words", "it is not a MusicXML score"},
        {"a.xml", "<html><body/></html>", "no MusicXML score (it begins with <html>)"},
        {"a.xml", "<score-partwise><part", "not readable XML"},
        {"a.gp5", kScore, "it is not a tablature file of version 3, 4 or 5 (it looks like XML)"},
        {"a.GP4", "PK\x03\x04", "(it looks like a zip archive)"},
        {"a.gp", "FICHIER", "not a zipped tablature file"},
        {"a.gp", zip, "the archive holds no Content/score.gpif"},
        {"a.gpx", "BCFZ", "version 6"},
        {"a.mxl", kScore, "not a compressed MusicXML score"},
        {"a.mxl", zip, "its archive holds no MusicXML score"},
        {"a.txt", "no tablature here", "it holds no six-line tablature"},
        {"a.tab", std::string("e|--0--\0", 8), "it is not text"},
        {"a.txt", std::string(kMaxImportBytes + 1, '-'), "larger than 16 MB"},
    };
    for (const Case& c : cases) {
        const auto read = readScoreBytes(c.bytes, c.name);
        ASSERT_TRUE(std::holds_alternative<score::ImportFailure>(read))
            << c.name << " " << c.reason;
        const std::string& message = std::get<score::ImportFailure>(read).message;
        EXPECT_EQ(message.rfind(std::string("The file ") + c.name + " cannot be imported: ", 0), 0u)
            << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
    EXPECT_TRUE(isImportName("/x/Song.GP5") && isImportName("a.mxl") && !isImportName("a.SNG"));
}

}  // namespace
}  // namespace lutavo
