// Files that cannot be used are refused with a message, and the song in memory stays whole.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "song_fixture.h"

namespace lutavo::test {
namespace {

class SongRefusal : public SongTest {
  protected:
    void SetUp() override {
        load(songLines({"title=Kept", "capo=1", "timesig=3", "key=5", "pointer=on"},
                       {kNote, "16010101010101", "99", "32-1-1-1-1-1-1"}),
             "KEPT.SNG");
        keptCaption = g().ui.lblsong.caption;
        rig.dialogs.messages.clear();
        rig.wave.played.clear();
    }

    // Loads a file (or path) that must be refused; expects the song kept and the message shown
    // to mention every part.
    void expectRefused(const std::vector<std::string>& lines, std::vector<std::string> parts,
                       const std::string& path = "") {
        rig.dialogs.messages.clear();
        if (path.empty()) {
            load(lines, "BAD.SNG");
        } else {
            loadsong(g(), path);
        }
        ASSERT_EQ(rig.dialogs.messages.size(), 1u);
        for (const auto& part : parts)
            EXPECT_NE(rig.dialogs.messages[0].text.find(part), std::string::npos)
                << rig.dialogs.messages[0].text << " lacks " << part;
        EXPECT_EQ(rig.dialogs.messages[0].caption, "Lutavo");
        EXPECT_EQ(join(song().songTitle, song().noteCount, song().capo, song().timeSig,
                       song().songKey, song().pageStart[2], song().pageStart[3],
                       song().noteFret(2, 1), g().ui.pointer.visible, g().ui.form.caption),
                  "Kept|4|1|3|5|4|6|2|1|Lutavo - Kept|");
        EXPECT_EQ(g().ui.lblsong.caption, keptCaption);
        EXPECT_TRUE(rig.wave.played.empty());
    }

    std::string keptCaption;
};

struct BadFile {
    std::vector<std::string> lines;
    std::vector<std::string> says;
};

TEST_F(SongRefusal, BadFilesAreRefusedAndNameTheLine) {
    const std::vector<BadFile> cases = {
        {{"Some letter", "title=Nope", "", kNote}, {"Invalid format"}},
        {{"Lutavo3", "", kNote}, {"Invalid format"}},  // case counts
        {{}, {"Invalid format"}},
        {songLines({"title=x"}, {kNote, "00000000000000"}), {"line 5"}},
        {songLines({}, {"xx000000000000"}), {"line 3"}},
        // Old durations of 45..49 would turn into control codes when doubled.
        {{"lutavo", "", "45000000000000"}, {"line 3"}},
        {songLines({}, {"-5000000000000"}), {"line 3"}},
        {songLines({}, {"1625-1-1-1-1-1"}), {"line 3"}},
        {songLines({}, {"16-5-1-1-1-1-1"}), {"line 3"}},
        // With a capo a struck fret must still be on the neck.
        {songLines({"capo=5"}, {"1600-1-1-1-1-1", "16-1-1-1-1-119"}), {"line 5", "capo"}},
    };
    for (const BadFile& c : cases) {
        SCOPED_TRACE(c.lines.empty() ? "" : c.lines.back());
        expectRefused(c.lines, c.says);
    }
    expectRefused({}, {dir.path() + "nowhere.SNG"}, dir.path() + "nowhere.SNG");
    expectRefused({}, {}, dir.path());  // a folder
}

TEST_F(SongRefusal, AtMost1000NotesAnd29Pages) {
    std::vector<std::string> notes(1000, kNote);
    load(songLines({"title=Full"}, notes), "FULL.SNG");
    EXPECT_EQ(song().noteCount, 1000);  // exactly the limit loads
    EXPECT_EQ(song().noteX[1001], 595);
    SetUp();
    notes.push_back(kNote);
    expectRefused(songLines({}, notes), {"1000 notes"});

    notes.clear();
    for (int p = 1; p <= 28; ++p)
        notes.insert(notes.end(), {kNote, "99"});
    notes.push_back(kNote);
    load(songLines({}, notes), "LONG.SNG");  // 29 pages load
    EXPECT_EQ(g().ui.pgScroll.max, 29);
    EXPECT_EQ(song().pageStart[30], song().noteCount + 2);
    SetUp();
    notes.push_back("99");  // a 29th end of page opens a 30th page
    expectRefused(songLines({}, notes), {"29 pages"});
}

TEST_F(SongRefusal, EndOfPageLinesAreNotChecked) {
    load(songLines({}, {kNote, "99xx9999", kNote}), "OK.SNG");
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(song().noteCount, 3);
}

TEST_F(SongRefusal, HeaderNumbersAreBroughtIntoRange) {
    load(songLines({"tempo=0", "timesig=9", "key=99", "capo=40", "metroticks=-3",
                    "alt=99-9050607-1", "style=7", "frames=500", "size=-5000"},
                   {kNote, "1611-1-1-1-1-1"}),
         "WILD.SNG");
    EXPECT_TRUE(rig.dialogs.messages.empty());
    // tempo, time signature, key, capo, a fret above the capo, click ticks and the lead-in's
    EXPECT_EQ(join(song().tempo, song().timeSig, song().songKey, song().capo, song().noteFret(2, 1),
                   song().metroTicks, song().noteDur[-1]),
              "1|5|15|12|23|1|1|");
    const std::array<int, 6> alt = {6, -6, 5, 6, 6, -1};
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(song().altTuning[s], alt[s - 1]) << s;
    EXPECT_EQ(join(g().config.preferredSound, g().ui.pgScroll.max, song().pageHeight),
              "3|29|1000|");

    load(songLines({"tempo=99999999", "timesig=-70000", "key=-1", "capo=-2"}, {kNote}), "HUGE.SNG");
    EXPECT_EQ(join(song().tempo, song().timeSig, song().songKey, song().capo), "30|0|0|0|");
}

// Scrambled files of song-like pieces: whatever a file holds, the reader either refuses it or
// loads a song inside the arrays (a wrong index aborts the test program).
TEST_F(SongRefusal, ScrambledFilesNeverReachPastTheArrays) {
    const std::vector<std::string> pieces = {
        "16",       "08",     "99",     "97",   "98",   "-1", "-2",          "-3",      "-4",
        "00",       "23",     "24",     "9",    ",",    "\"", "capo=",       "frames=", "page=",
        "INTERNAL", "title=", "tempo=", "key=", "alt=", "x",  "metroticks=", "size=",   "32767",
        "-32768",   "\r\n",   "\r\n",   "\r\n", "\n",   " "};
    std::mt19937 random(20261206);
    for (int file = 0; file < 150; ++file) {
        std::string text = "lutavo3\r\n";
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            text += pieces[random() % pieces.size()];
        loadsong(g(), dir.write("SCRAMBLED.SNG", text));
        ASSERT_TRUE(song().noteCount <= 1000 && g().ui.pgScroll.max <= 29 && song().tempo >= 1 &&
                    song().tempo <= 30);
        for (int n = 1; n <= song().noteCount; ++n) {
            if (song().noteDur[n] == 97) continue;  // its first slot is a position
            for (int str = 1; str <= 6; ++str)
                ASSERT_TRUE(song().noteFret(n, str) >= -4 && song().noteFret(n, str) <= 47);
        }
    }
}

}  // namespace
}  // namespace lutavo::test
