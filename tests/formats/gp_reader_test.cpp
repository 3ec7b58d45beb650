// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "formats/fixtures/gp_fixture.h"
#include "formats/gp_reader.h"

namespace lutavo {
namespace {

using test::GpBar;
using test::GpBeat;
using test::GpNote;
using test::lengths;

// Two tracks (a guitar with a capo and drums), a 3/4 bar, then a repeat with two endings.
test::GpSong richSong(int version) {
    test::GpSong s;
    s.version = version;
    s.title = "Riff";
    s.key = -2;
    s.tracks[0].capo = 2;
    test::GpTrack drums;
    drums.name = "Drums";
    drums.channel = 10;
    s.tracks.push_back(drums);

    GpBeat first = test::quarter(6, 3);
    first.extras = true;
    GpBeat chord{1, false, 0, {{5, 2}, {4, 0}}};
    GpBeat held{1, false, 0, {{5, 2, true}, {4, 0, true}}};
    GpBar bar1;
    bar1.beats = 3;
    bar1.beatType = 4;
    bar1.tracks = {{first, chord, held, GpBeat{}}, {test::quarter(1, 0)}};
    bar1.secondVoice = {test::quarter(2, 1)};

    GpBeat t1{1, false, 3, {{3, 2}}}, t2{1, false, 3, {{3, 4}}},
        t3{1, false, 3, {{2, 0, false, true}}};
    t2.tempo = 140;
    GpBeat bent{0, true, 0, {{1, 5, false, false, true}}};
    GpBeat fancy{1, false, 0, {{1, 0, false, false, false, true}}};
    GpBar bar2 = test::oneTrackBar({t1, t2, t3, bent, fancy});
    bar2.repeatStart = true;
    GpBar bar3 = test::oneTrackBar({GpBeat{-1, true, 0, {{6, 5}}}});
    bar3.ending = 1;
    GpBar bar4 = test::oneTrackBar({GpBeat{-1, true, 0, {{6, 7}}}});
    bar4.ending = 2;
    bar4.repeatClose = version >= 50 ? 2 : 1;
    bar4.key = 3;
    s.bars = {bar1, bar2, bar3, bar4};
    return s;
}

class BinaryTabVersions : public ::testing::TestWithParam<int> {};

TEST_P(BinaryTabVersions, ReadsTheLayoutOfEveryVersion) {
    const int version = GetParam();
    const auto read = readBinaryTab(test::gpFile(richSong(version)));
    ASSERT_TRUE(std::holds_alternative<score::Score>(read))
        << std::get<score::ImportFailure>(read).message;
    const score::Score& s = std::get<score::Score>(read);
    EXPECT_EQ(s.title, "Riff");
    EXPECT_EQ(s.tempo, 120);
    ASSERT_EQ(s.bars.size(), 4u);
    EXPECT_EQ(s.bars[0].beats * 10 + s.bars[0].beatType, 34);
    EXPECT_EQ(s.bars[0].fifths, -2);
    EXPECT_EQ(s.bars[3].fifths, 3);
    EXPECT_TRUE(s.bars[1].repeatStart);
    EXPECT_EQ(s.bars[1].tempo, 140);
    EXPECT_EQ(s.bars[2].endings, 1u);
    EXPECT_EQ(s.bars[3].endings, 2u);
    EXPECT_EQ(s.bars[3].repeatPlays, 2);

    ASSERT_EQ(s.tracks.size(), 2u);
    const score::Track& g = s.tracks[0];
    EXPECT_EQ(g.tuning, (std::vector<int>{64, 59, 55, 50, 45, 40}));
    EXPECT_EQ(g.capo, 2);
    EXPECT_FALSE(g.drums);
    EXPECT_TRUE(s.tracks[1].drums);
    ASSERT_EQ(g.bars.size(), 4u);
    EXPECT_EQ(lengths(g.bars[0]), (std::vector<long>{960, 480, 480, 960}));
    EXPECT_EQ(lengths(g.bars[1]), (std::vector<long>{320, 320, 320, 1440, 480}));
    // Frets are counted from the nut: the capo is added.
    const score::Note& n = g.bars[0][0].notes.at(0);
    EXPECT_EQ(n.string * 100 + n.fret, 605);
    EXPECT_TRUE(g.bars[0][2].notes.at(0).tied && g.bars[0][2].notes.at(1).tied);
    EXPECT_TRUE(g.bars[0][3].notes.empty());
    EXPECT_TRUE(g.bars[1][2].notes.at(0).dead);
    EXPECT_TRUE(g.bars[1][3].notes.at(0).bend);

    const LostItems& lost = g.lost;
    for (Lost what : {Lost::ChordName, Lost::Text, Lost::Strum, Lost::Slide, Lost::GraceNote,
                      Lost::Legato, Lost::LetRing, Lost::Accent})
        EXPECT_EQ(lost.count(what), 1) << static_cast<int>(what);
    EXPECT_GT(lost.count(Lost::Dynamics) * lost.count(Lost::Fingering), 0);
    EXPECT_EQ(lost.count(Lost::PalmMute), version > 30 ? 1 : 0);
    EXPECT_EQ(lost.count(Lost::OtherVoice), version >= 50 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, BinaryTabVersions, ::testing::Values(30, 40, 50, 51));

TEST(BinaryTab, EveryCutShortFileIsRefusedWithItsReason) {
    for (int version : {30, 51}) {
        const std::string file = test::gpFile(richSong(version));
        for (std::size_t size = 0; size < file.size(); ++size) {
            const auto read = readBinaryTab(std::string_view(file).substr(0, size));
            ASSERT_TRUE(std::holds_alternative<score::ImportFailure>(read))
                << version << " " << size;
            EXPECT_FALSE(std::get<score::ImportFailure>(read).message.empty());
        }
    }
}

TEST(BinaryTab, CountsOutsideTheirBoundsAreRefused) {
    test::GpSong s;
    s.bars = {test::oneTrackBar({test::quarter(1, 0)})};
    const std::string good = test::gpFile(s);
    // The bar count sits 8 bytes before the first bar's header in a one-track file.
    const std::size_t barCount = good.find(std::string("\x01\x00\x00\x00\x01\x00\x00\x00", 8));
    ASSERT_NE(barCount, std::string::npos);
    struct Case {
        const char* what;
        std::string file;
        const char* reason;
    };
    std::string tooManyBars = good;
    tooManyBars.replace(barCount, 4, std::string("\x01\x10\x00\x00", 4));
    std::string noBars = good;
    noBars.replace(barCount, 4, std::string(4, '\0'));
    std::string older = good;
    older.replace(21, 1, "2");
    const Case cases[] = {
        {"4097 bars", tooManyBars, "4097 bars"},
        {"no bars", noBars, "0 bars"},
        {"version 2", older, "not a tablature file of version 3, 4 or 5"},
    };
    ASSERT_TRUE(std::holds_alternative<score::Score>(readBinaryTab(good)));
    for (const Case& c : cases) {
        const auto read = readBinaryTab(c.file);
        ASSERT_TRUE(std::holds_alternative<score::ImportFailure>(read)) << c.what;
        EXPECT_NE(std::get<score::ImportFailure>(read).message.find(c.reason), std::string::npos)
            << std::get<score::ImportFailure>(read).message;
    }
}

}  // namespace
}  // namespace lutavo
