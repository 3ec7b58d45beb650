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
                       {"16000000000000", "16010101010101", "99", "32-1-1-1-1-1-1"}),
             "KEPT.SNG");
        keptCaption = g().ui.lblsong.caption;
        rig.dialogs.messages.clear();
        rig.wave.played.clear();
    }

    // Loads a file that must be refused; returns the message shown.
    std::string refused(const std::vector<std::string>& lines) {
        rig.dialogs.messages.clear();
        load(lines, "BAD.SNG");
        EXPECT_EQ(rig.dialogs.messages.size(), 1u);
        expectSongKept();
        return rig.dialogs.messages.empty() ? "" : rig.dialogs.messages.back().text;
    }

    void expectSongKept() {
        EXPECT_EQ(song().songTitle, "Kept");
        EXPECT_EQ(song().noteCount, 4);
        EXPECT_EQ(song().capo, 1);
        EXPECT_EQ(song().timeSig, 3);
        EXPECT_EQ(song().songKey, 5);
        EXPECT_EQ(song().pageStart[2], 4);
        EXPECT_EQ(song().pageStart[3], 6);
        EXPECT_EQ(song().noteFret(2, 1), 2);
        EXPECT_TRUE(g().ui.pointer.visible);
        EXPECT_EQ(g().ui.lblsong.caption, keptCaption);
        EXPECT_EQ(g().ui.form.caption, "Lutavo - Kept");
        EXPECT_TRUE(rig.wave.played.empty());
    }

    std::string keptCaption;
};

bool mentions(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(SongRefusal, NotASongFile) {
    EXPECT_EQ(refused({"Some letter", "title=Nope", "", "16000000000000"}), "Invalid format");
    EXPECT_EQ(rig.dialogs.messages.back().caption, "Lutavo");
    EXPECT_EQ(refused({"Lutavo3", "", "16000000000000"}), "Invalid format");  // case counts
    EXPECT_EQ(refused({}), "Invalid format");
}

TEST_F(SongRefusal, MissingFileIsNamed) {
    const std::string path = dir.path() + "nowhere.SNG";
    loadsong(g(), path);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_TRUE(mentions(rig.dialogs.messages[0].text, path));
    expectSongKept();
}

TEST_F(SongRefusal, FolderInsteadOfAFile) {
    loadsong(g(), dir.path());
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    expectSongKept();
}

TEST_F(SongRefusal, TooManyNotes) {
    std::vector<std::string> notes(1000, "16000000000000");
    load(songLines({"title=Full"}, notes), "FULL.SNG");
    EXPECT_EQ(song().noteCount, 1000);  // exactly the limit loads
    EXPECT_EQ(song().noteX[1001], 595);
    SetUp();

    notes.push_back("16000000000000");
    EXPECT_TRUE(mentions(refused(songLines({}, notes)), "1000 notes"));
}

TEST_F(SongRefusal, TooManyPages) {
    std::vector<std::string> notes;
    for (int p = 1; p <= 28; ++p)
        notes.insert(notes.end(), {"16000000000000", "99"});
    notes.push_back("16000000000000");
    load(songLines({}, notes), "LONG.SNG");  // 29 pages load
    EXPECT_EQ(g().ui.pgScroll.max, 29);
    EXPECT_EQ(song().pageStart[30], song().noteCount + 2);
    SetUp();

    notes.push_back("99");  // a 29th end of page opens a 30th page
    EXPECT_TRUE(mentions(refused(songLines({}, notes)), "29 pages"));
}

TEST_F(SongRefusal, UnknownNoteLengthNamesTheLine) {
    const std::string m = refused(songLines({"title=x"}, {"16000000000000", "00000000000000"}));
    EXPECT_TRUE(mentions(m, "line 5")) << m;
    EXPECT_TRUE(mentions(refused(songLines({}, {"xx000000000000"})), "line 3"));
    // Old durations of 45..49 would turn into control codes when doubled.
    EXPECT_TRUE(mentions(refused({"lutavo", "", "45000000000000"}), "line 3"));
    EXPECT_TRUE(mentions(refused(songLines({}, {"-5000000000000"})), "line 3"));
}

TEST_F(SongRefusal, UnplayableFretNamesTheLine) {
    EXPECT_TRUE(mentions(refused(songLines({}, {"1625-1-1-1-1-1"})), "line 3"));
    EXPECT_TRUE(mentions(refused(songLines({}, {"16-5-1-1-1-1-1"})), "line 3"));
    // With a capo a struck fret must still be on the neck.
    const std::string m = refused(songLines({"capo=5"}, {"1600-1-1-1-1-1", "16-1-1-1-1-119"}));
    EXPECT_TRUE(mentions(m, "line 5")) << m;
    EXPECT_TRUE(mentions(m, "capo")) << m;
}

TEST_F(SongRefusal, EndOfPageLinesAreNotChecked) {
    load(songLines({}, {"16000000000000", "99xx9999", "16000000000000"}), "OK.SNG");
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(song().noteCount, 3);
}

TEST_F(SongRefusal, HeaderNumbersAreBroughtIntoRange) {
    load(songLines({"tempo=0", "timesig=9", "key=99", "capo=40", "metroticks=-3",
                    "alt=99-9050607-1", "style=7", "frames=500", "size=-5000"},
                   {"16000000000000", "1611-1-1-1-1-1"}),
         "WILD.SNG");
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(song().tempo, 1);
    EXPECT_EQ(song().timeSig, 5);
    EXPECT_EQ(song().songKey, 15);
    EXPECT_EQ(song().capo, 12);
    EXPECT_EQ(song().noteFret(2, 1), 23);
    EXPECT_EQ(song().metroTicks, 1);
    EXPECT_EQ(song().noteDur[-1], 1);
    const std::array<int, 6> alt = {6, -6, 5, 6, 6, -1};
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(song().altTuning[s], alt[s - 1]) << s;
    EXPECT_EQ(g().config.preferredSound, 3);
    EXPECT_EQ(g().ui.pgScroll.max, 29);
    EXPECT_EQ(song().pageHeight, 1000);

    load(songLines({"tempo=99999999", "timesig=-70000", "key=-1", "capo=-2"}, {"16000000000000"}),
         "HUGE.SNG");
    EXPECT_EQ(song().tempo, 30);
    EXPECT_EQ(song().timeSig, 0);
    EXPECT_EQ(song().songKey, 0);
    EXPECT_EQ(song().capo, 0);
}

TEST_F(SongRefusal, DelayIsALeadInOfAtMostEightBeats) {
    g().config.defaultLeadIn = 2;
    load(songLines({"delay=20"}, {"16000000000000"}), "D.SNG");
    EXPECT_EQ(g().config.defaultLeadIn, 8);
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
        EXPECT_LE(song().noteCount, 1000);
        EXPECT_LE(g().ui.pgScroll.max, 29);
        EXPECT_GE(song().tempo, 1);
        EXPECT_LE(song().tempo, 30);
        for (int n = 1; n <= song().noteCount; ++n) {
            if (song().noteDur[n] == 97) continue;  // its first slot is a position
            for (int str = 1; str <= 6; ++str) {
                EXPECT_GE(song().noteFret(n, str), -4);
                EXPECT_LE(song().noteFret(n, str), 47);
            }
        }
    }
}

}  // namespace
}  // namespace lutavo::test
