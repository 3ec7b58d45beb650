// SPDX-License-Identifier: GPL-3.0-or-later
// Markers of the current note on the neck and the keyboard, drawn from small test sheets whose
// every pixel names its own position, so a pixel of the neck tells which cell was copied there.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "core/data_files.h"
#include "display/fretboard.h"
#include "display/neck_markers.h"
#include "display/picture_files.h"
#include "display/shownote.h"
#include "fakes/fake_pictures.h"
#include "playback/performer.h"
#include "playback/playback_fixture.h"

namespace lutavo::test {
namespace {

constexpr Rgb kFingersTag = 0x100000;
constexpr Rgb kHeldTag = 0x200000;
constexpr Rgb kKeyTag = 0x300000;
constexpr Rgb kNeckColour = 0x996633;

// A sheet whose pixel (x, y) holds tag | y << 8 | x.
Picture taggedSheet(int width, int height, Rgb tag) {
    Picture p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.setPixel(x, y, tag | static_cast<Rgb>(y << 8 | x));
    return p;
}

// The sheet at twice its size: every pixel a 2 x 2 block.
Picture doubled(const Picture& p) {
    Picture out(p.width() * 2, p.height() * 2);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, p.pixel(x / 2, y / 2));
    return out;
}

Rgb fingers(int x, int y) {
    return kFingersTag | static_cast<Rgb>(y << 8 | x);
}
Rgb held(int x, int y) {
    return kHeldTag | static_cast<Rgb>(y << 8 | x);
}
Rgb keyDown(int x, int y) {
    return kKeyTag | static_cast<Rgb>(y << 8 | x);
}

class NeckMarkers : public PlaybackTest {
  protected:
    FakePictureIO pictures;

    void SetUp() override {
        const std::string& app = g.app.appFolder;
        pictures.files[g.app.dataFolder + files::kNeckRight] = Picture(634, 91, kNeckColour);
        pictures.files[g.app.dataFolder + files::kNeckLeft] = Picture(634, 91, kNeckColour);
        pictures.files[app + files::kKeyboard] = Picture(438, 30, 0xEEEEEE);
        pictures.files[app + files::kFingers] = taggedSheet(156, 24, kFingersTag);
        pictures.files[app + files::kFingersHeld] = taggedSheet(156, 24, kHeldTag);
        pictures.files[app + files::kKeyDown] = taggedSheet(168, 17, kKeyTag);
        for (const char* name : {files::kNeckRight, files::kKeyboard, files::kFingers,
                                 files::kFingersHeld, files::kKeyDown}) {
            pictures.files[scaledPictureName(app + name, 2)] = doubled(pictures.files[app + name]);
        }
        g.sys.pictures = &pictures;
        g.neck.sheetsLoaded = false;
        setfretboard(g);
    }

    void show(const std::vector<NoteSpec>& notes) {
        buildSong(g, notes);
        for (int n = 1; n <= g.song.noteCount; ++n)
            shownote(g, n);
    }

    Rgb neck(int x, int y) const { return g.neck.fretboard.pixel(x, y); }
    // Top-left pixel of the key of notation pitch index k.
    Rgb key(int k) const {
        return g.neck.keyboard.pixel(g.app.keyX[k], std::max(0, int{g.app.keyKind[k]}));
    }
    bool keyboardIsPlain() {
        return g.neck.keyboard.pixels() ==
               pictures.files[g.app.appFolder + files::kKeyboard].pixels();
    }
    // Markers on the neck, found by a pixel that both a normal and a bend marker cover.
    int markedCells() const {
        int count = 0;
        const auto& d = g.display;
        for (int s = 1; s <= 6; ++s)
            for (int f = 0; f <= 24; ++f)
                if (neck(d.fretMarkerX[f] + 6, d.stringY[s] + 6) != kNeckColour) ++count;
        return count;
    }
};

TEST_F(NeckMarkers, EachKindOfNoteCopiesItsCellOntoTheNeck) {
    struct Case {
        const char* what;
        std::vector<NoteSpec> notes;
        int x, y;
        Rgb expected;
        int names = 1, offset = 0;
    };
    const NoteSpec e = single(16, 1, 0), fs = single(16, 1, 2), b = single(16, 2, 3);
    const NoteSpec heldB = {16, {-1, 27, -1, -1, -1, -1}}, a = single(16, 1, 5);
    const NoteSpec heldE = {16, {-1, -1, 26, -1, -1, -1}}, bend = single(16, 1, -3);
    const std::vector<Case> cases = {
        {"E, far corner", {e}, 12, 83, fingers(11, 11)},
        {"F#", {fs}, 84, 72, fingers(24, 0)},
        {"Gb", {fs}, 84, 72, fingers(24, 12), 1, 12},
        {"cross", {b}, 124, 58, fingers(144, 0), 0},
        {"dark plain", {b, heldB}, 124, 58, held(144, 12), 0},
        {"dark E", {single(16, 3, 2), heldE}, 84, 44, held(0, 0)},
        {"muted", {single(16, 4, -4)}, 1, 30, fingers(144, 0)},
        {"bend: A# below the A row", {a, bend}, 193, 76, fingers(72, 0)},
        {"bend, no names", {a, bend}, 193, 76, fingers(144, 12), 0},
        {"high string", {single(16, 6, 12)}, 386, 2, fingers(0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g.config.showFretNoteNames = static_cast<i16>(c.names);
        g.keys.nameGlyphOffset.fill(static_cast<i16>(c.offset));
        rig.midi.sent.clear();
        show(c.notes);
        EXPECT_EQ(neck(c.x, c.y), c.expected);
        // The finer neck of a zoomed window: taken into use with the markers shown, then drawn
        // along.
        if (&c == &cases.front()) {
            ASSERT_TRUE(useFineNeck(g, 2));
        }
        EXPECT_EQ(g.neck.fine.fretboard.pixel(2 * c.x + 1, 2 * c.y + 1), c.expected);
        EXPECT_TRUE(rig.midi.sent.empty());  // the display only draws
        if (c.x == 193) {
            EXPECT_EQ(neck(193, 75), kNeckColour);  // nothing above a bend marker
        }
    }
}

TEST_F(NeckMarkers, KeysLightForStruckHeldAndBentNotes) {
    show({single(16, 1, 0)});
    EXPECT_EQ(key(5), keyDown(4 * 14, 0));  // the E key, glyph 4 counted from C
    show({single(16, 3, 2), {16, {-1, -1, 26, -1, -1, -1}}});
    EXPECT_EQ(key(17), keyDown(4 * 14, 0));
    // A# after a bend from A: a black key, whose glyph starts 5 pixels above the picture.
    show({single(16, 1, 5), single(16, 1, -3)});
    EXPECT_EQ(g.app.keyKind[11], -5);
    EXPECT_EQ(key(11), keyDown(10 * 14, 5));
}

TEST_F(NeckMarkers, StringsRememberTheirLastFretAndMutedOnesLightNoKey) {
    show({single(16, 1, 0)});
    EXPECT_EQ(g.display.lastFret[1], 0);
    show({single(16, 4, -4)});
    EXPECT_EQ(g.display.lastFret[4], kMuted);
    EXPECT_EQ(markedCells(), 1);
    EXPECT_TRUE(keyboardIsPlain());
}

TEST_F(NeckMarkers, HeldChordShowsSixDarkMarkersSoundsNothingAndTheNextNoteClearsThem) {
    show({{16, {0, 2, 2, 1, 0, 0}}});
    rig.midi.sent.clear();
    show({{16, {24, 26, 26, 25, 24, 24}}});
    EXPECT_EQ(markedCells(), 6);
    const int frets[6] = {0, 2, 2, 1, 0, 0};
    for (int s = 1; s <= 6; ++s)
        EXPECT_EQ(neck(g.display.fretMarkerX[frets[s - 1]], g.display.stringY[s]) & 0xF00000,
                  kHeldTag)
            << s;
    EXPECT_TRUE(sounded().empty());
    show({{16, {0, 2, 2, 1, 0, 0}}, {16, {-1, -1, -1, -1, -1, -1}}});
    EXPECT_EQ(markedCells(), 0);
    EXPECT_TRUE(keyboardIsPlain());
}

TEST_F(NeckMarkers, LeftHandedNeckMirrorsMarkersPanelsLabelsAndTheCapo) {
    g.song.capo = 2;
    g.config.leftHanded = 1;
    setfretboard(g);
    setfretboard(g);  // a second call does not mirror twice
    struct Row {
        const char* what;
        int left, expected;
    };
    for (const Row& r : {Row{"nut marker", g.display.fretMarkerX[0], 612},
                         {"nut edge", g.display.fretEdgeX[0], 602},
                         {"neck", g.ui.fretboard.at.left, 30},
                         {"string labels", g.ui.pnlStringLabels.at.left, 9450},
                         {"tuning panel", g.ui.pnlAdjTuning.at.left, 8700},
                         {"string name", g.ui.StringName[0].at.left, 9460},
                         {"capo", g.ui.piccapo.at.left, g.display.fretMarkerX[2] - 2 + 5}})
        EXPECT_EQ(r.left, r.expected) << r.what;
    EXPECT_EQ(g.ui.fretboard.file, g.app.appFolder + files::kNeckLeft);
    show({single(16, 1, 0)});
    EXPECT_EQ(neck(612, 72), fingers(0, 0));
}

// Each fret number is centred under its fret's markers on either neck, clear of STANDARD.
TEST_F(NeckMarkers, FretNumbersSitUnderTheirFretsOnBothNecks) {
    for (const int lefty : {0, 1}) {
        g.config.leftHanded = static_cast<i16>(lefty);
        setfretboard(g);
        const auto& tune = g.ui.btntune.at;
        for (int k = 0; k <= 9; ++k) {
            const auto& l = g.ui.lblFret[k];
            const int centre = l.at.left + l.at.width / 2, fret = std::stoi(l.caption);
            EXPECT_NEAR(centre, g.ui.fretboard.at.left + (g.display.fretMarkerX[fret] + 6) * 15, 75)
                << lefty << " " << fret;
            EXPECT_GE(std::abs(centre - tune.left - tune.width / 2), tune.width / 2 + 150) << fret;
        }
    }
}

TEST_F(NeckMarkers, EachPictureIsReadOnceForItsHandAndScale) {
    const std::string& app = g.app.appFolder;
    pictures.files[scaledPictureName(app + files::kNeckLeft, 2)] =
        doubled(pictures.files[app + files::kNeckLeft]);
    pictures.reads.clear();
    setfretboard(g);  // as every reopen of the sound does
    EXPECT_TRUE(pictures.reads.empty());
    ASSERT_TRUE(useFineNeck(g, 2) && useFineNeck(g, 2));
    setfretboard(g);
    g.config.leftHanded = 1;
    setfretboard(g);
    setfretboard(g);
    std::map<std::string, int> expected{{app + files::kNeckLeft, 1}};
    for (const char* name : {files::kNeckRight, files::kNeckLeft, files::kKeyboard, files::kFingers,
                             files::kFingersHeld, files::kKeyDown})
        expected[scaledPictureName(app + name, 2)] = 1;
    EXPECT_EQ(pictures.reads, expected);
}

TEST_F(NeckMarkers, MissingPicturesAreReportedOnceAndTheNotesStillSound) {
    pictures.files.clear();
    g.neck = NeckState{};
    rig.dialogs.messages.clear();
    setfretboard(g);
    setfretboard(g);
    EXPECT_EQ(rig.dialogs.messages.size(), 5u);  // the neck, keyboard and three sheets
    buildSong(g, {{16, {0, 2, 2, 1, 0, -4}}, single(16, 1, -3)});
    for (int n = 1; n <= 2; ++n) {
        g.transport.curNote = static_cast<i16>(n);
        presentNote(g, kSound);
    }
    EXPECT_TRUE(g.neck.fretboard.empty());
    EXPECT_EQ(rig.dialogs.messages.size(), 5u);
    EXPECT_FALSE(sounded().empty());
}

}  // namespace
}  // namespace lutavo::test
