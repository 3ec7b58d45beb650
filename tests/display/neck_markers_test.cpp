// Markers of the current note on the neck and the keyboard, drawn from small test sheets whose
// every pixel names its own position, so a pixel of the neck tells which cell was copied there.

#include <gtest/gtest.h>

#include "core/data_files.h"
#include "display/fretboard.h"
#include "fakes/fake_pictures.h"
#include "fakes/midi_messages.h"
#include "fakes/playback_rig.h"
#include "playback/shownote.h"

namespace lutavo::test {
namespace {

constexpr Rgb kFingersTag = 0x100000;
constexpr Rgb kHeldTag = 0x200000;
constexpr Rgb kKeyTag = 0x300000;
constexpr Rgb kNeckColour = 0x996633;
constexpr Rgb kKeyboardColour = 0xEEEEEE;

// A sheet whose pixel (x, y) holds tag | y << 8 | x.
Picture taggedSheet(int width, int height, Rgb tag) {
    Picture p(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, tag | static_cast<Rgb>(y << 8 | x));
    }
    return p;
}

Rgb cell(Rgb tag, int x, int y) {
    return tag | static_cast<Rgb>(y << 8 | x);
}

class NeckMarkers : public ::testing::Test {
  protected:
    Rig rig;
    FakePictureIO pictures;
    Guitar& g = ready();

    Guitar& ready() {
        Guitar& guitar = playbackReady(rig);
        const std::string& app = guitar.app.appFolder;
        const std::string& data = guitar.app.dataFolder;
        pictures.files[data + files::kNeckRight] = Picture(634, 91, kNeckColour);
        pictures.files[data + files::kNeckLeft] = Picture(634, 91, kNeckColour);
        pictures.files[app + files::kKeyboard] = Picture(438, 30, kKeyboardColour);
        pictures.files[app + files::kFingers] = taggedSheet(156, 24, kFingersTag);
        pictures.files[app + files::kFingersHeld] = taggedSheet(156, 24, kHeldTag);
        pictures.files[app + files::kKeyDown] = taggedSheet(168, 17, kKeyTag);
        guitar.sys.pictures = &pictures;
        guitar.neck.sheetsLoaded = false;
        setfretboard(guitar);
        return guitar;
    }

    void show(const std::vector<NoteSpec>& notes, int mode = 1) {
        buildSong(g, notes);
        for (int n = 1; n <= g.song.noteCount; ++n) {
            g.song.curNote = static_cast<i16>(n);
            shownote(g, mode);
        }
    }

    Rgb neck(int x, int y) const { return g.neck.fretboard.pixel(x, y); }
    Rgb keys(int x, int y) const { return g.neck.keyboard.pixel(x, y); }
    // Top-left pixel of the key of notation pitch index k.
    Rgb key(int k) const {
        return keys(g.app.keyX[k], std::max(0, static_cast<int>(g.app.keyKind[k])));
    }

    // Markers on the neck, found by a pixel that both a normal and a bend marker cover.
    int markedCells() const {
        int count = 0;
        const auto& d = g.display;
        for (int s = 1; s <= 6; ++s) {
            for (int f = 0; f <= 24; ++f) {
                if (neck(d.fretMarkerX[f] + 6, d.stringY[s] + 6) != kNeckColour) ++count;
            }
        }
        return count;
    }
};

TEST_F(NeckMarkers, StruckNoteShowsItsNameAndLightsItsKey) {
    show({single(16, 1, 0)});
    EXPECT_EQ(neck(1, 72), cell(kFingersTag, 0, 0));  // E at the nut of the low string
    EXPECT_EQ(neck(12, 83), cell(kFingersTag, 11, 11));
    EXPECT_EQ(key(5), cell(kKeyTag, 4 * 14, 0));  // the E key, glyph 4 counted from C
    EXPECT_EQ(g.display.lastFret[1], 0);
}

TEST_F(NeckMarkers, SharpAndFlatSpellingPickTheirRow) {
    show({single(16, 1, 2)});
    EXPECT_EQ(neck(84, 72), cell(kFingersTag, 2 * 12, 0));  // F#
    g.keys.nameGlyphOffset = 12;
    show({single(16, 1, 2)});
    EXPECT_EQ(neck(84, 72), cell(kFingersTag, 2 * 12, 12));  // Gb
}

TEST_F(NeckMarkers, WithoutNamesStruckShowsTheCrossAndHeldThePlainDarkMarker) {
    g.config.showFretNoteNames = 0;
    show({single(16, 2, 3), {16, {-1, 27, -1, -1, -1, -1}}});
    EXPECT_EQ(neck(124, 58), cell(kHeldTag, 144, 12));
    g.song.curNote = 1;
    shownote(g, 1);
    EXPECT_EQ(neck(124, 58), cell(kFingersTag, 144, 0));
}

TEST_F(NeckMarkers, HeldNotesWithNamesUseTheDarkSheet) {
    show({single(16, 3, 2), {16, {-1, -1, 26, -1, -1, -1}}});
    EXPECT_EQ(neck(84, 44), cell(kHeldTag, 0, 0));  // D string fret 2: E
    EXPECT_EQ(key(17), cell(kKeyTag, 4 * 14, 0));
}

TEST_F(NeckMarkers, ChordOfSixHeldNotesShowsSixDarkMarkersAndSoundsNothing) {
    show({{16, {0, 2, 2, 1, 0, 0}}});
    rig.midi.sent.clear();
    show({{16, {24, 26, 26, 25, 24, 24}}});
    EXPECT_EQ(markedCells(), 6);
    const auto& d = g.display;
    const int frets[6] = {0, 2, 2, 1, 0, 0};
    for (int s = 1; s <= 6; ++s) {
        EXPECT_EQ(neck(d.fretMarkerX[frets[s - 1]], d.stringY[s]) & 0xF00000, kHeldTag) << s;
    }
    EXPECT_TRUE(msg::noteOns(rig.midi.messages()).empty());
}

TEST_F(NeckMarkers, MutedStringShowsTheCrossAtTheNutAndNoKey) {
    show({single(16, 4, -4)});
    EXPECT_EQ(neck(1, 30), cell(kFingersTag, 144, 0));
    EXPECT_EQ(markedCells(), 1);
    EXPECT_EQ(g.neck.keyboard.pixels(),
              pictures.files[g.app.appFolder + files::kKeyboard].pixels());
    EXPECT_EQ(g.display.lastFret[4], kMuted);
}

TEST_F(NeckMarkers, BendAfterFretFiveShowsTheNextSemitoneLowerAndItsKey) {
    show({single(16, 1, 5), single(16, 1, -3)});
    EXPECT_EQ(neck(193, 72 + 4), cell(kFingersTag, 6 * 12, 0));  // A# below the A row
    EXPECT_EQ(neck(193, 72 + 3), kNeckColour);
    // The A# key is black: its glyph starts 5 pixels above the picture.
    EXPECT_EQ(keys(g.app.keyX[11], 0), cell(kKeyTag, 10 * 14, 5));
    EXPECT_EQ(g.app.keyKind[11], -5);
    g.config.showFretNoteNames = 0;
    shownote(g, 1);
    EXPECT_EQ(neck(193, 76), cell(kFingersTag, 144, 12));
}

TEST_F(NeckMarkers, BendOnAStringWithNothingStruckDrawsNoMarker) {
    g.display.lastFret[2] = kMuted;
    show({single(16, 2, -3)});
    EXPECT_EQ(markedCells(), 0);
}

TEST_F(NeckMarkers, EachNoteRemovesThePreviousMarkers) {
    show({{16, {0, 2, 2, 1, 0, 0}}, {16, {-1, -1, -1, -1, -1, -1}}});
    EXPECT_EQ(markedCells(), 0);
    EXPECT_EQ(g.neck.keyboard.pixels(),
              pictures.files[g.app.appFolder + files::kKeyboard].pixels());
}

TEST_F(NeckMarkers, ShowOnlyDrawsTheSameMarkers) {
    show({single(16, 6, 12)}, 0);
    EXPECT_EQ(neck(386, 2), cell(kFingersTag, 0, 0));  // E, two octaves up
    EXPECT_TRUE(msg::noteOns(rig.midi.messages()).empty());
}

TEST_F(NeckMarkers, LeftHandedNeckMirrorsTheMarkersAndLoadsItsOwnPicture) {
    g.config.leftHanded = 1;
    setfretboard(g);
    EXPECT_EQ(g.ui.fretboard.file, g.app.dataFolder + files::kNeckLeft);
    EXPECT_EQ(g.display.fretMarkerX[0], 612);
    EXPECT_EQ(g.display.fretEdgeX[0], 602);
    show({single(16, 1, 0)});
    EXPECT_EQ(neck(612, 72), cell(kFingersTag, 0, 0));

    g.config.leftHanded = 0;
    setfretboard(g);
    EXPECT_EQ(g.display.fretMarkerX[0], 1);
    EXPECT_EQ(g.display.fretEdgeX[24], 618);
}

TEST_F(NeckMarkers, NeckPanelsAndFretLabelsFollowTheHand) {
    EXPECT_EQ(g.ui.lblFret[0].caption, "3");
    EXPECT_EQ(g.ui.lblFret[9].caption, "24");
    EXPECT_EQ(g.ui.lblFret[0].at.left, 1935);
    EXPECT_EQ(g.ui.pnlStringLabels.at.left, 30);
    EXPECT_EQ(g.ui.StringName[5].at.left, 40);
    g.config.leftHanded = 1;
    setfretboard(g);
    EXPECT_EQ(g.ui.lblFret[0].at.left, 9260 - 1935);
    EXPECT_EQ(g.ui.lblFret[9].at.left, 9260 - 9160);
    EXPECT_EQ(g.ui.fretboard.at.left, 30);
    EXPECT_EQ(g.ui.pnlfrettxt.at.left, 30);
    EXPECT_EQ(g.ui.pnlStringLabels.at.left, 9450);
    EXPECT_EQ(g.ui.pnlAdjTuning.at.left, 8700);
    EXPECT_EQ(g.ui.StringName[0].at.left, 9460);
    setfretboard(g);  // a second call does not mirror twice
    EXPECT_EQ(g.ui.lblFret[0].at.left, 9260 - 1935);
}

TEST_F(NeckMarkers, TheCapoFollowsTheNeckToTheOtherHand) {
    g.song.capo = 2;
    setfretboard(g);
    const int right = g.ui.piccapo.at.left;
    g.config.leftHanded = 1;
    setfretboard(g);
    EXPECT_TRUE(g.ui.piccapo.visible);
    EXPECT_NE(g.ui.piccapo.at.left, right);
    EXPECT_EQ(g.ui.piccapo.at.left, g.display.fretMarkerX[2] - 2 + 5);
}

TEST_F(NeckMarkers, MissingPicturesAreReportedOnceAndNothingIsDrawn) {
    pictures.files.clear();
    g.neck.sheetsLoaded = false;
    rig.dialogs.messages.clear();
    setfretboard(g);
    setfretboard(g);
    EXPECT_EQ(rig.dialogs.messages.size(), 5u);  // the neck, keyboard and three sheets
    show({{16, {0, 2, 2, 1, 0, -4}}, single(16, 1, -3)});
    EXPECT_TRUE(g.neck.fretboard.empty());
    EXPECT_EQ(rig.dialogs.messages.size(), 5u);
    EXPECT_FALSE(msg::noteOns(rig.midi.messages()).empty());  // it still sounds
}

TEST_F(NeckMarkers, WithoutAPictureServiceTheNoteStillSounds) {
    g.sys.pictures = nullptr;
    g.neck.sheetsLoaded = false;
    setfretboard(g);
    show({single(16, 1, 0)});
    EXPECT_EQ(msg::noteOns(rig.midi.messages()).back(), msg::noteOn(0, 40, 120));
}

}  // namespace
}  // namespace lutavo::test
