// SPDX-License-Identifier: GPL-3.0-or-later
// Reading song files: the notes and header, refusals that keep the song in memory, the page
// layout, and the songs that come with the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "core/data_files.h"
#include "display/page_layout.h"
#include "song/song_reader.h"
#include "song_fixture.h"

namespace lutavo::test {
namespace {

class SongRead : public SongTest {
  protected:
    // The lengths of notes from..to, or with a string the codes of its slot.
    std::string durs(int from, int to, int str = 0) {
        std::string out;
        for (int n = from; n <= to; ++n)
            out += std::to_string(str ? song().noteFret(n, str) : song().noteDur[n]) + " ";
        return out;
    }
};

TEST_F(SongRead, NoteColumnsCapoAndSentinels) {
    load(songLines({"capo=2", "timesig=4", "key=3"},
                   {"16000102030405", "08-1-1-1-1-1-1", "32-3-4", "99", "641010101010"}));
    EXPECT_EQ(frets(1), (Frets{2, 3, 4, 5, 6, 7}));  // the capo is added to struck frets
    // A short line reads its missing fields as 0: the open string plus the capo.
    EXPECT_EQ(frets(3), (Frets{-3, -4, 2, 2, 2, 2}));
    for (int silent : {0, 2, 4, 6})
        EXPECT_EQ(frets(silent), kSilentFrets) << silent;  // the sentinels 0 and 6 too
    EXPECT_EQ(durs(0, 6), "0 16 8 32 99 64 0 ");
    // count, capo, time, key, page table (the last is count + 2), sentinel x, current note and
    // page, pages, scroll panel shown
    EXPECT_EQ(
        join(song().noteCount, song().capo, song().timeSig, song().songKey, song().pageStart[1],
             song().pageStart[2], song().pageStart[3], song().noteX[6], g().transport.curNote,
             g().transport.curPage, g().ui.pgScroll.max, g().ui.scrollpanel.visible),
        "5|2|4|3|1|5|7|595|0|1|2|1|");
    EXPECT_TRUE(rig.dialogs.messages.empty());

    load(songLines({"title=Nothing yet"}, {}), "EMPTY.SNG");  // still gets its sentinels
    EXPECT_EQ(frets(1), kSilentFrets);
    EXPECT_EQ(join(song().noteCount, song().noteX[1], song().pageStart[2],
                   g().ui.scrollpanel.visible, g().ui.ScrlNpntr.visible),
              "0|595|2|0|0|");
}

TEST_F(SongRead, HeldNotesFollowTheLastStruckFret) {
    // Struck 3 (+1 capo); a hold (slot 2 was silent); a chain keeps holding; silence ends the
    // ring, so the next hold is dropped; muted; struck; an end of page stops every string.
    load(songLines({"capo=1"},
                   {"1603-1-1-1-1-1", "16-2-2-1-1-1-1", "16-2-1-1-1-1-1", "16-1-1-1-1-1-1",
                    "16-2-1-1-1-1-1", "16-4-1-1-1-1-1", "1605-1-1-1-1-1", "99", "16-2-1-1-1-1-1"}));
    EXPECT_EQ(durs(1, 9, 1), "4 28 28 -1 -1 -4 6 -1 -1 ");
    EXPECT_EQ(song().noteFret(2, 2), -1);
}

TEST_F(SongRead, OldFormatDoublesShortDurationsAndTheClickAndMarkersKeepTheirCodes) {
    load({"lutavo", "metroticks=8", "", "08000000000000", "97", "98", "24", "60"});
    EXPECT_EQ(song().metroTicks, 16);
    EXPECT_EQ(durs(-1, 5), "16 0 16 97 98 48 60 ");  // codes and long values stay as read
    // "lutavo3" anywhere in the first item marks the current format.
    load({"my lutavo 3 song", "metroticks=8", "", "08000000000000"});
    EXPECT_EQ(song().metroTicks, 8);
    EXPECT_EQ(song().noteDur[1], 8);

    load(songLines({"capo=2"}, {"975", "98", "99", "1601-1-1-1-1-1", "93"}));
    // A marker's parameter is read with the capo added; a marker line without frets is silent.
    EXPECT_EQ(frets(1), (Frets{7, -1, -1, -1, -1, -1}));
}

TEST_F(SongRead, PositionColumnsOfPicturePages) {
    pictures.files[dir.path() + "pages.bmp"] = Picture(600, 400);
    load(songLines({"page=pages.bmp", "frames=2"},
                   {"161010101010101500", "160000000000001537.5", "1600000000000075", "160000"}));
    // The column from character 15 on, divided by 15, halves to even; a short line is not placed.
    EXPECT_EQ(join(song().noteX[1], song().noteX[2], song().noteX[3], song().noteX[4]),
              "100|102|5|50|");
    EXPECT_EQ(song().noteFret(1, 1), 10);
}

TEST_F(SongRead, TextIsCutAtACommaAndACommaAtTheEndEndsTheHeader) {
    load(songLines({"title=Rock, Paper", "left=Scissors", "\"right=Stone, Age\""}, {}));
    // A quoted item is read whole.
    EXPECT_EQ(join(song().songTitle, song().songInfo, song().songComposer, g().ui.form.caption),
              "Rock|Scissors|Stone, Age|Lutavo - Rock|");
    // The empty item after "left=x," ends the header, so "tempo=3" is taken as a note line,
    // which is not a note: the file is refused and names the line.
    load({"lutavo3", "title=Second", "left=x,", "tempo=3", "", kNote}, "B.SNG");
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find("line 4"), std::string::npos);
    EXPECT_EQ(song().songTitle, "Rock");
}

TEST_F(SongRead, KeptAndResetFields) {
    load(songLines({"metro=on", "tempo=3", "capo=2", "alt=000102030405", "tick=wood.wav",
                    "alttempo=1", "key=5", "timesig=2", "metroticks=24", "locked=yes"},
                   {"14000000000000", kNote}));
    EXPECT_EQ(join(song().durSymbol[14], song().songLocked), "6|1|");
    load(songLines({}, {"14000000000000", kNote}), "OTHER.SNG");
    // Kept when the file does not set them, then those reset by every load.
    EXPECT_EQ(join(song().metroOn, song().tempo, song().altTuning[6], song().tickSound),
              "1|3|5|wood.wav|");
    EXPECT_EQ(join(song().capo, song().altTempo, song().durSymbol[14], song().songKey,
                   song().timeSig, song().metroTicks, song().songLocked),
              "0|0|5|1|0|16|0|");
}

class SongRefusal : public SongTest {
  protected:
    void SetUp() override {
        load(songLines({"title=Kept", "capo=1", "timesig=3", "key=5", "pointer=on"},
                       {kNote, "16010101010101", "99", "32-1-1-1-1-1-1"}),
             "KEPT.SNG");
        keptCaption = g().ui.lblsong.caption;
        rig.dialogs.messages.clear();
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
        EXPECT_EQ(join(song().songTitle, song().noteCount, song().capo, song().timeSig,
                       song().songKey, song().pageStart[2], song().pageStart[3],
                       song().noteFret(2, 1), g().ui.pointer.visible, g().ui.form.caption),
                  "Kept|4|1|3|5|4|6|2|1|Lutavo - Kept|");
        EXPECT_EQ(g().ui.lblsong.caption, keptCaption);
    }

    std::string keptCaption;
};

struct BadFile {
    std::vector<std::string> lines;
    std::vector<std::string> says;
};

TEST_F(SongRefusal, BadFilesAreRefusedAndNameTheLine) {
    const std::vector<BadFile> cases = {
        {{"Some letter", "title=Nope", "", kNote}, {"Invalid format\n", "BAD.SNG"}},
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
    expectRefused({}, {dir.path() + "nowhere.SNG does not exist."}, dir.path() + "nowhere.SNG");
    expectRefused({}, {"is a folder."}, dir.path());
    expectRefused({}, {"/dev/zero is not a regular file."}, "/dev/zero");
    // A file larger than any song is refused before it is read.
    const std::string huge =
        dir.write("HUGE.SNG", "lutavo3\r\ntitle=" + std::string(songlimits::kFileBytesHi, 'x'));
    expectRefused({}, {"too large", "HUGE.SNG"}, huge);
}

// A song names pictures and clips beside itself: a name that leaves its folder is not followed.
TEST_F(SongRead, FilesNamedOutsideTheSongsFolderAreNotRead) {
    g().config.playIntroClips = 1;
    pictures.files[dir.path() + "../outside.bmp"] = Picture(8, 8);
    load(songLines(
        {"page=../outside.bmp", "tick=/etc/passwd", "playwav=sub/intro.wav", "lessonpic=../x.bmp"},
        {kNote}));
    ASSERT_EQ(rig.dialogs.messages.size(), 4u);
    for (const char* key : {"page=", "tick=", "playwav=", "lessonpic="}) {
        const bool named =
            std::any_of(rig.dialogs.messages.begin(), rig.dialogs.messages.end(),
                        [&](const auto& m) { return m.text.find(key) != std::string::npos; });
        EXPECT_TRUE(named) << key;
    }
    EXPECT_EQ(join(g().display.pagewindow.source, song().tickSound, song().noteCount),
              join("", "tick.wav", 1));
    for (const std::string& clip : rig.wave.played)
        EXPECT_EQ(clip.find("intro.wav"), std::string::npos) << clip;
}

TEST_F(SongRead, OverlongTextsAreCutAndTheUserTold) {
    const std::string longTitle(songlimits::kTextLengthHi + 500, 't');
    load(songLines({"title=" + longTitle, "left=short"}, {kNote}));
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_NE(rig.dialogs.messages[0].text.find("title"), std::string::npos);
    EXPECT_EQ(join(song().songTitle.size(), song().songInfo, song().noteCount),
              join(songlimits::kTextLengthHi, "short", 1));
}

TEST_F(SongRefusal, AtMost1000NotesAnd29Pages) {
    std::vector<std::string> notes(1000, kNote);
    load(songLines({"title=Full"}, notes), "FULL.SNG");
    EXPECT_EQ(song().noteCount, 1000);  // exactly the limit loads
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
    // An even key past the last index is still seven flats (14), not seven sharps.
    load(songLines({"tempo=0", "timesig=9", "key=98", "capo=40", "metroticks=-3",
                    "alt=99-9050607-1", "style=7", "frames=500", "size=-5000"},
                   {kNote, "1611-1-1-1-1-1"}),
         "WILD.SNG");
    EXPECT_TRUE(rig.dialogs.messages.empty());
    // tempo and its readout, time signature, key, capo, a fret above the capo, click ticks and
    // the lead-in's
    EXPECT_EQ(join(song().tempo, g().ui.tempotxt.caption, song().timeSig, song().songKey,
                   song().capo, song().noteFret(2, 1), song().metroTicks, song().noteDur[-1]),
              join(1, 2727, 5, 14, 12, 23, 1, 1));
    EXPECT_EQ(join(song().altTuning[1], song().altTuning[2], song().altTuning[3],
                   song().altTuning[4], song().altTuning[5], song().altTuning[6]),
              "6|-6|5|6|6|-1|");
    // "frames=" counts the cells of a page picture; drawn pages are as many as the song has.
    EXPECT_EQ(join(g().config.preferredSound, g().ui.pgScroll.max, song().pageHeight), "3|1|1000|");

    load(songLines({"tempo=99999999", "timesig=-70000", "key=-1", "capo=-2"}, {kNote}), "HUGE.SNG");
    EXPECT_EQ(
        join(song().tempo, g().ui.tempotxt.caption, song().timeSig, song().songKey, song().capo),
        join(30, 47, 0, 0, 0));
}

class PageLayout : public SongTest {};

struct LayoutCase {
    int first, notes;  // page 2: `notes` notes from `first`, then its end-of-page note
    int spacing;       // even spacing from x 100, capped at 80; halves round to even
};

TEST_F(PageLayout, EvenSpacingFromTheLeftAndTheEndOfPageAt595) {
    // 475 / 6 = 79.17; 47.5
    const LayoutCase cases[] = {{10, 4, 80}, {1, 7, 79}, {1, 11, 48}, {5, 0, 0}};
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.notes);
        song().pageStart[2] = static_cast<i16>(c.first);
        song().pageStart[3] = static_cast<i16>(c.first + c.notes + 1);
        for (int n = c.first - 1; n <= c.first + c.notes + 1; ++n)
            song().noteX[n] = 50;
        const int spacing = layoutpage(song(), 2);
        if (c.notes > 0) {
            EXPECT_EQ(spacing, c.spacing);
        }
        for (int n = 0; n < c.notes; ++n)
            EXPECT_EQ(song().noteX[c.first + n], 100 + c.spacing * n) << n;
        EXPECT_EQ(song().noteX[c.first + c.notes], 595);
        EXPECT_EQ(song().noteX[c.first - 1], 50);  // the pages around are untouched
        EXPECT_EQ(song().noteX[c.first + c.notes + 1], 50);
    }
}

// A loaded page just finished is laid out only when the note before its end still has x 50;
// the last page always is.
TEST_F(PageLayout, LoadedDrawnPagesAreLaidOutPageByPage) {
    load(songLines({}, {"16000000000000300", "16000000000000450", "99", kNote, kNote}));
    EXPECT_EQ(join(song().noteX[1], song().noteX[2], song().noteX[4], song().noteX[5]),
              "20|30|100|180|");
}

// Every bar of a song with a time signature fills it exactly, so the metronome stays on the bars.
void expectWholeBars(const SongModel& s) {
    int ticks = 0, bar = s.barTicks[s.timeSig];
    for (int n = 1; n <= s.noteCount; ++n) {
        ticks += s.noteDur[n] < kFirstControlCode ? s.noteDur[n] : 0;
        ASSERT_LE(ticks, bar) << "note " << n;  // no note runs over a bar line
        if (ticks == bar) ticks = 0;
    }
    EXPECT_EQ(ticks, 0) << "the last bar";
}

// Every song that comes with the program loads without a message and reads back what it wrote.
TEST_F(SongRead, ShippedSongsLoadAndRoundTrip) {
    std::vector<std::string> paths;
    for (const char* name : {files::kIntroSong, files::kTuningSong, files::kNewSong})
        paths.push_back(g().app.appFolder + name);
    for (const auto& e : std::filesystem::directory_iterator(g().app.appFolder + "songs"))
        paths.push_back(e.path().string());
    ASSERT_GE(paths.size(), 9u);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        loadsong(g(), path);
        const int count = song().noteCount;
        ASSERT_TRUE(count >= 1 && savesong(g(), dir.path() + "ONCE.SNG"));
        loadsong(g(), dir.path() + "ONCE.SNG");
        ASSERT_TRUE(savesong(g(), dir.path() + "TWICE.SNG"));
        EXPECT_EQ(readFile(dir.path() + "TWICE.SNG"), readFile(dir.path() + "ONCE.SNG"));
        EXPECT_EQ(song().noteCount, count);
        EXPECT_TRUE(rig.dialogs.messages.empty());
        if (song().timeSig > 0 && path.find("/songs/") != std::string::npos)
            expectWholeBars(song());
    }
}

}  // namespace
}  // namespace lutavo::test
