// SPDX-License-Identifier: GPL-3.0-or-later
// Generates every picture and clip into a temporary folder once, reads them back, and checks the
// places the program copies from.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <memory>
#include <set>

#include "assets.h"
#include "chord_strip.h"
#include "keyboard.h"
#include "markers.h"
#include "neck.h"
#include "output.h"
#include "scales.h"
#include "sheet_layout.h"
#include "tablature.h"

namespace lutavo::assetgen {
namespace {

using namespace layout;

bool isBlack(QRgb c) {
    return (c & 0xFFFFFF) == 0;
}
bool isWhite(QRgb c) {
    return (c & 0xFFFFFF) == 0xFFFFFF;
}
int luminance(QRgb c) {
    return (qRed(c) * 30 + qGreen(c) * 59 + qBlue(c) * 11) / 100;
}

int inkIn(const QImage& image, const QRect& rect) {
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += isWhite(image.pixel(x, y)) ? 0 : 1;
    }
    return count;
}

class Generated : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(folder_->isValid());
        QString missing;
        fonts_ = std::make_unique<Fonts>(loadFonts(&missing).value_or(Fonts{}));
        ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
        QString error;
        ASSERT_TRUE(writeAllAssets(folder_->path(), *fonts_, OutputOptions{}, &error))
            << error.toStdString();
    }
    static void TearDownTestSuite() {
        folder_.reset();
        fonts_.reset();
    }

    static QString path(const char* name) { return QDir(folder_->path()).filePath(name); }
    static QImage picture(const char* name) {
        QImage image(path(name));
        return image.convertToFormat(QImage::Format_RGB32);
    }
    static int bmpBitsPerPixel(const char* name) {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly)) return -1;
        const QByteArray header = file.read(30);
        return header.size() < 30 ? -1 : static_cast<unsigned char>(header[28]);
    }

    static std::unique_ptr<QTemporaryDir> folder_;
    static std::unique_ptr<Fonts> fonts_;
};

std::unique_ptr<QTemporaryDir> Generated::folder_;
std::unique_ptr<Fonts> Generated::fonts_;

TEST_F(Generated, WritesExactlyTheFilesTheBuildLists) {
    const QStringList listed = QString(LUTAVO_ASSET_FILE_LIST).split(',');
    std::set<QString> expected(listed.begin(), listed.end());
    const std::vector<QString> names = assetFileNames();
    EXPECT_EQ(std::set<QString>(names.begin(), names.end()), expected);
    EXPECT_EQ(names.size(), expected.size()) << "a file is made twice";
    for (const QString& name : listed)
        EXPECT_TRUE(QFile::exists(path(qPrintable(name)))) << name.toStdString();
}

TEST_F(Generated, EveryPictureHasItsSizeAndTheSheetsArePureBlackAndWhite) {
    for (const PictureAsset& asset : pictureAssets()) {
        const QImage image = picture(asset.fileName);
        ASSERT_FALSE(image.isNull()) << asset.fileName;
        EXPECT_EQ(image.size(), QSize(asset.width, asset.height)) << asset.fileName;
    }
    EXPECT_EQ(picture("picscore.bmp").size(), QSize(601, 140));
    EXPECT_EQ(picture("fretnew.bmp").size(), QSize(634, 91));
    EXPECT_EQ(picture("keydown.bmp").size(), QSize(168, 17));
    // The sheets the page ANDs or copies must hold nothing but black and white.
    for (const char* name : {"picscore.bmp", "pictab.bmp", "picnotes.bmp", "pictabno.bmp"}) {
        const QImage image = picture(name);
        int grey = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                grey += isBlack(c) || isWhite(c) ? 0 : 1;
            }
        }
        EXPECT_EQ(grey, 0) << name;
        EXPECT_EQ(bmpBitsPerPixel(name), 4) << name;
    }
    EXPECT_EQ(bmpBitsPerPixel("fretnew.bmp"), 24);
}

TEST_F(Generated, StaffLinesAndTheCopiedTieRowAreBlack) {
    const QImage score = picture("picscore.bmp");
    for (int y : kStaffLineY) {
        for (int x = kLineStartX; x <= kLineEndX; ++x)
            ASSERT_TRUE(isBlack(score.pixel(x, y))) << x << "," << y;
        EXPECT_TRUE(isWhite(score.pixel(300, y + 1)));
        EXPECT_TRUE(isWhite(score.pixel(kLineEndX + 1, y)));
    }
    for (int y = kStaffTop; y <= kStaffBottom; ++y) {
        for (int x : {2, 3, 594, 595})
            EXPECT_TRUE(isBlack(score.pixel(x, y))) << x << "," << y;
    }
    EXPECT_TRUE(isBlack(score.pixel(kTieSourceX, kStaffTop)));
    // A clef stands at the start of the staff, above and below it too.
    EXPECT_GT(inkIn(score, QRect(8, 50, 18, 14)), 5);
    EXPECT_GT(inkIn(score, QRect(8, 96, 18, 10)), 5);
    EXPECT_EQ(inkIn(score, QRect(30, 0, 560, 60)), 0);
}

TEST_F(Generated, TabLinesAndTheColumnsCopiedAsBarLinesAreBlack) {
    const QImage tab = picture("pictab.bmp");
    for (int y : kTabLineY) {
        for (int x = 23; x <= kEndLineX; ++x)
            ASSERT_TRUE(isBlack(tab.pixel(x, y))) << x << "," << y;
        EXPECT_TRUE(isWhite(tab.pixel(300, y + 1)));
    }
    for (int y = 7; y <= 47; ++y) {
        for (int x : {3, 4, 594, 595})
            EXPECT_TRUE(isBlack(tab.pixel(x, y))) << x << "," << y;
    }
    EXPECT_GT(inkIn(tab, QRect(10, 9, 13, 37)), 60) << "the TAB sign";
}

TEST_F(Generated, NoteSymbolsHaveHeadsStemsAndFlagsWhereThePageCutsThem) {
    const QImage notes = picture("picnotes.bmp");
    for (int k = 1; k <= kNoteSymbols; ++k) {
        const int x = noteSymbolX(k);
        SCOPED_TRACE(k);
        EXPECT_GT(inkIn(notes, QRect(x, kNoteHeadTop, 7, 6)), 15) << "head";
        EXPECT_EQ(inkIn(notes, QRect(x, kNoteHeight, kNoteWidth, 5)), 0) << "below the cell";
        const int flags = inkIn(notes, QRect(x + kNoteStemWidth, 0, 6, 17));
        if (k <= 5) {
            EXPECT_GT(flags, 5);
        } else {
            EXPECT_EQ(flags, 0);
        }
        if (k < 10) {
            for (int y = 2; y <= 17; ++y)
                EXPECT_TRUE(isBlack(notes.pixel(x + 6, y))) << "stem";
        } else {
            EXPECT_EQ(inkIn(notes, QRect(x, 0, kNoteWidth, 16)), 0) << "the whole note has no stem";
        }
    }
    // Filled heads for quarter and shorter, hollow for half and whole.
    EXPECT_TRUE(isBlack(notes.pixel(noteSymbolX(6) + 3, kNoteHeadTop + 2)));
    EXPECT_TRUE(isWhite(notes.pixel(noteSymbolX(8) + 3, kNoteHeadTop + 2)));
    EXPECT_TRUE(isWhite(notes.pixel(noteSymbolX(10) + 4, kNoteHeadTop + 2)));
}

TEST_F(Generated, TieArcsMeetTheTieRowAndSignsAreCentredOnTheHead) {
    const QImage notes = picture("picnotes.bmp");
    EXPECT_TRUE(isBlack(notes.pixel(kTieStartX + kTieWidth - 1, kTieY + 3)));
    EXPECT_TRUE(isBlack(notes.pixel(kTieEndX, kTieY + 3)));
    EXPECT_EQ(inkIn(notes, QRect(kTieStartX, kTieY - 4, 14, 4)), 0);
    for (int x : {kFlatX, kSharpX, kNaturalX}) {
        double sum = 0;
        int count = 0;
        for (int y = 0; y < kSignHeight; ++y) {
            for (int c = 0; c < kSignWidth; ++c) {
                if (isBlack(notes.pixel(x + c, y))) {
                    sum += y;
                    ++count;
                }
            }
        }
        ASSERT_GT(count, 15) << x;
        EXPECT_NEAR(sum / count, 10.0, 2.5) << x;
        EXPECT_EQ(inkIn(notes, QRect(x, kSignHeight, kSignWidth, 4)), 0) << x;
    }
}

TEST_F(Generated, RestsLedgerLinesBarLineAndTimeSignaturesKeepToTheirCells) {
    const QImage notes = picture("picnotes.bmp");
    std::set<QByteArray> shapes;
    for (int k = 1; k <= kNoteSymbols; ++k) {
        const QRect cell(restX(k), 0, kRestWidth, kRestHeight);
        EXPECT_GT(inkIn(notes, cell), 5) << k;
        EXPECT_EQ(inkIn(notes, QRect(restX(k), kRestHeight, kRestWidth, 11)), 0) << k;
        const QImage copy = notes.copy(cell);
        shapes.insert(
            QByteArray(reinterpret_cast<const char*>(copy.constBits()), copy.sizeInBytes()));
    }
    EXPECT_EQ(shapes.size(), 10u) << "every rest differs";
    for (int y = 0; y < kNotesHeight; ++y) {
        const bool line = y % 7 == 0;
        EXPECT_EQ(isBlack(notes.pixel(kLedgerX + 5, y)), line) << y;
    }
    for (int y = 0; y < kBarLineHeight; ++y)
        EXPECT_TRUE(isBlack(notes.pixel(kBarLineX, y)));
    EXPECT_TRUE(isWhite(notes.pixel(kBarLineX, kBarLineHeight)));
    for (int t = 1; t <= kTimeSignatures; ++t) {
        const int x = timeSigX(t);
        EXPECT_GT(inkIn(notes, QRect(x, 0, kTimeSigWidth, 14)), 20) << t;
        EXPECT_GT(inkIn(notes, QRect(x, 14, kTimeSigWidth, 14)), 20) << t;
        EXPECT_EQ(inkIn(notes, QRect(x, kTimeSigHeight, kTimeSigWidth, 1)), 0) << t;
    }
}

TEST_F(Generated, FretNumberCellsAreDistinctAndDoNotSpillIntoTheirNeighbours) {
    const QImage numbers = picture("pictabno.bmp");
    std::set<QByteArray> cells;
    for (int f = 0; f <= kLastFretCell; ++f) {
        const QRect cell(kFretCellWidth * f, 0, kFretCellWidth, kFretCellHeight);
        EXPECT_GT(
            inkIn(numbers, cell.adjusted(0, 1, 0, 0)) - inkIn(numbers, QRect(cell.x(), 5, 12, 1)),
            8)
            << f;
        const QImage copy = numbers.copy(cell);
        cells.insert(
            QByteArray(reinterpret_cast<const char*>(copy.constBits()), copy.sizeInBytes()));
    }
    EXPECT_EQ(cells.size(), static_cast<std::size_t>(kLastFretCell + 1));
    EXPECT_EQ(inkIn(numbers, QRect(0, 8, kFretNumbersWidth, 1)), 0) << "the page copies 8 rows";
    EXPECT_EQ(inkIn(numbers, QRect(0, 0, kFretNumbersWidth, 1)), 0);
    // The triplet copy (38, 0, 7 x 9) holds the 3 and no piece of line.
    EXPECT_EQ(inkIn(numbers, QRect(kTripletX, 0, 1, kTripletHeight)), 0);
    EXPECT_EQ(inkIn(numbers, QRect(kTripletX + kTripletWidth - 1, 0, 1, kTripletHeight)), 0);
    EXPECT_GT(inkIn(numbers, QRect(kTripletX, 0, kTripletWidth, kTripletHeight)), 10);
    // B, small cross and the neighbouring cells overlap: their figures must not.
    auto offLine = [&](int x, int width) {
        return inkIn(numbers, QRect(x, 0, width, 9)) - inkIn(numbers, QRect(x, 5, width, 1));
    };
    EXPECT_EQ(offLine(kBendX, 1), 0);
    EXPECT_GT(offLine(kBendX + 1, 7), 10) << "the B";
    EXPECT_EQ(offLine(kSmallCrossX, 4), 0);
    EXPECT_GT(offLine(kSmallCrossX + 4, 8), 5) << "the small cross";
    EXPECT_GT(
        inkIn(numbers, QRect(kLargeCrossX, kLargeCrossY, kLargeCrossWidth, kLargeCrossHeight)), 12);
    EXPECT_EQ(inkIn(numbers, QRect(kLargeCrossX - 1, 0, 1, 9)), 0);
    // Single numbers leave pieces of the tab line on both sides.
    EXPECT_TRUE(isBlack(numbers.pixel(12 * 4, kTabLineInCell)));
    EXPECT_TRUE(isBlack(numbers.pixel(12 * 4 + 11, kTabLineInCell)));

    const QImage held = picture("pictabnx.bmp");
    EXPECT_EQ(held.size(), QSize(kHeldNumbersWidth, kFretNumbersHeight));
    int grey = 0;
    for (int y = 0; y < held.height(); ++y) {
        for (int x = 0; x < held.width(); ++x)
            grey += (held.pixel(x, y) & 0xFFFFFF) == (kHeldGrey & 0xFFFFFF);
    }
    EXPECT_GT(grey, 200);
}

TEST_F(Generated, NeckHasMetalFretsAtTheEdgesAndStringsOnTheMarkerRows) {
    const QImage right = picture("fretnew.bmp");
    const QImage left = picture("fretrev.bmp");
    auto metal = [](QRgb c) { return luminance(c) > 120 && std::abs(qRed(c) - qBlue(c)) < 30; };
    for (int f = 1; f <= kFrets; ++f) {
        const int edge = kFretEdgeX[f];
        EXPECT_TRUE(metal(right.pixel(edge - 1, 3))) << f;
        EXPECT_TRUE(metal(left.pixel(kLeftHandedEdgeMirror - edge + 1, 3))) << f;
        EXPECT_TRUE(metal(left.pixel(kLeftHandedEdgeMirror - edge, 3))) << f;
        const int mid = (kFretEdgeX[f - 1] + edge) / 2;
        EXPECT_LT(luminance(right.pixel(mid, 3)), 100) << "wood in fret " << f;
    }
    EXPECT_GT(luminance(right.pixel(14, 40)), 180) << "the nut";
    const int x = (kFretEdgeX[9] + kFretEdgeX[10]) / 2;
    int previousRows = 99;
    for (int slot = 1; slot <= 6; ++slot) {
        const int centre = kStringY[slot - 1] + 6;
        EXPECT_GT(
            std::max(luminance(right.pixel(x, centre - 1)), luminance(right.pixel(x, centre))), 130)
            << slot;
        int rows = 0;
        for (int y = centre - 3; y <= centre + 3; ++y)
            rows += luminance(right.pixel(x, y)) > 110;
        EXPECT_LE(rows, previousRows) << "strings get thinner from slot 1 to slot 6";
        previousRows = rows;
    }
    EXPECT_GT(luminance(right.pixel((kFretEdgeX[4] + kFretEdgeX[5]) / 2, 43)), 160) << "inlay at 5";
}

TEST_F(Generated, MarkersAreGreenDiscsWithDistinctNamesAndWoodCorners) {
    for (const char* name : {"picfingers.bmp", "picfingx.bmp"}) {
        const QImage sheet = picture(name);
        for (int row = 0; row < 2; ++row) {
            std::set<QByteArray> cells;
            for (int cell = 0; cell < 13; ++cell) {
                const QRect box(cell * kMarker, row * kMarker, kMarker, kMarker);
                EXPECT_EQ(sheet.pixel(box.topLeft()) & 0xFFFFFF, fingerboardColour() & 0xFFFFFF);
                const QRgb rim = sheet.pixel(box.x() + 6, box.y() + 1);
                EXPECT_GT(qGreen(rim), qRed(rim) + 20) << name << cell;
                const QImage copy = sheet.copy(box);
                cells.insert(QByteArray(reinterpret_cast<const char*>(copy.constBits()),
                                        copy.sizeInBytes()));
            }
            EXPECT_EQ(cells.size(), 13u) << name << " row " << row;
        }
    }
    EXPECT_NE(picture("picfingers.bmp"), picture("picfingx.bmp"));
}

TEST_F(Generated, KeyDownCellsMatchTheKeyboardAroundThePressedKey) {
    const QImage board = picture("keyboard.bmp");
    const QImage down = picture("keydown.bmp");
    EXPECT_GT(luminance(board.pixel(kKeyOffset[0] + 5, 25)), 200) << "white key";
    EXPECT_LT(luminance(board.pixel(kKeyOffset[1] + 4, 5)), 60) << "black key";
    for (int k = 0; k < 12; ++k) {
        int differing = 0;
        for (int y = 0; y < kKeyDownHeight; ++y) {
            const int boardY = keyTop(k) + y;
            if (boardY < 0) continue;
            for (int x = 0; x < kKeyCell; ++x) {
                differing +=
                    down.pixel(k * kKeyCell + x, y) != board.pixel(kKeyOffset[k] + x, boardY);
            }
        }
        EXPECT_GT(differing, 40) << "key " << k << " looks pressed";
    }
}

TEST_F(Generated, ScalesAndChordCellsAreAllDifferent) {
    std::set<QByteArray> scales;
    for (const char* name : {"timesig.bmp", "key.bmp", "editcapo.bmp", "vol10.bmp", "tempo.bmp",
                             "ldefaul4.bmp", "edit3.bmp"}) {
        const QImage image = picture(name);
        EXPECT_EQ(image.size(), QSize(kScaleWidth, kScaleHeight)) << name;
        scales.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(scales.size(), 7u);
    EXPECT_NEAR(slotCentre(6, 6), 188.0, 0.5);
    EXPECT_LT(slotCentre(29, 29), kScaleWidth);

    const QImage strip = picture("ch_all.bmp");
    ASSERT_EQ(strip.size(), QSize(kChordCellWidth, kChordCellHeight * kChordTypes));
    std::set<QByteArray> bands;
    for (int c = 0; c < kChordTypes; ++c) {
        const QImage band = strip.copy(0, c * kChordCellHeight, kChordCellWidth, kChordBandHeight);
        bands.insert(
            QByteArray(reinterpret_cast<const char*>(band.constBits()), band.sizeInBytes()));
        // The chosen type's button stands out from the same button in another cell.
        const QRect button(kChordButtonWidth * (c + 1) + 4, c * kChordCellHeight + 4, 16, 20);
        const QRect other = button.translated(0, ((c + 1) % kChordTypes - c) * kChordCellHeight);
        EXPECT_NE(strip.copy(button), strip.copy(other)) << c;
    }
    EXPECT_EQ(bands.size(), static_cast<std::size_t>(kChordTypes));
}

TEST_F(Generated, ClipsAreAudibleAndOfTheirLength) {
    struct Expect {
        const char* name;
        double shortest, longest;
    };
    for (const Expect& e : {Expect{"tick.wav", 0.02, 0.15}, Expect{"lclick.wav", 0.01, 0.1},
                            Expect{"bob5.wav", 0.8, 1.6}}) {
        int rate = 0, channels = 0, bits = 0;
        const std::vector<std::int16_t> samples = loadClip(path(e.name), &rate, &channels, &bits);
        ASSERT_FALSE(samples.empty()) << e.name;
        EXPECT_EQ(rate, 44100);
        EXPECT_EQ(channels, 1);
        EXPECT_EQ(bits, 16);
        const double seconds = static_cast<double>(samples.size()) / rate;
        EXPECT_GE(seconds, e.shortest) << e.name;
        EXPECT_LE(seconds, e.longest) << e.name;
        int peak = 0;
        for (std::int16_t s : samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 6000) << e.name;
        EXPECT_LT(peak, 32767) << e.name << " must not clip";
        EXPECT_LT(std::abs(static_cast<int>(samples.back())), 50) << e.name << " ends in silence";
    }
}

TEST_F(Generated, LeftHandedNeckIsTheRightHandedOneMirroredAboutTheFretEdges) {
    const QImage right = picture("fretnew.bmp");
    const QImage left = picture("fretrev.bmp");
    // Fret f covers x < fretEdgeX(f) right-handed and x > 618 - fretEdgeX(f) left-handed.
    for (int y = 0; y < kNeckHeight; ++y) {
        for (int x = 0; x <= kLeftHandedEdgeMirror; ++x) {
            ASSERT_EQ(left.pixel(kLeftHandedEdgeMirror - x, y), right.pixel(x, y)) << x << "," << y;
        }
    }
}

TEST_F(Generated, MarkerRowsAgreeOnTheNaturalNotesAndDifferOnTheOthers) {
    const QImage sheet = picture("picfingers.bmp");
    for (int cell = 0; cell < 12; ++cell) {
        const QImage sharp = sheet.copy(cell * kMarker, 0, kMarker, kMarker);
        const QImage flat = sheet.copy(cell * kMarker, kMarker, kMarker, kMarker);
        // From E: F#/Gb, G#/Ab, A#/Bb, C#/Db and D#/Eb are spelled differently.
        const bool accidental = cell == 2 || cell == 4 || cell == 6 || cell == 9 || cell == 11;
        EXPECT_EQ(sharp != flat, accidental) << cell;
    }
}

TEST_F(Generated, PressedKeyCellsChangeOnlyTheirOwnKey) {
    const QImage board = picture("keyboard.bmp");
    const QImage down = picture("keydown.bmp");
    for (int k = 0; k < 12; ++k) {
        // A black key is 9 pixels wide; a white key's cell ends with the border of the next key.
        const int width = isBlackKey(k) ? 9 : kKeyCell - 1;
        for (int y = 0; y < kKeyDownHeight; ++y) {
            const int boardY = keyTop(k) + y;
            if (boardY < 0) continue;
            for (int x = width; x < kKeyCell; ++x) {
                EXPECT_EQ(down.pixel(k * kKeyCell + x, y), board.pixel(kKeyOffset[k] + x, boardY))
                    << "key " << k << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(Generated, ScaleTicksStandWhereAClickChoosesTheirSlot) {
    struct Scale {
        const char* name;
        int count;
    };
    for (const Scale& s : {Scale{"timesig.bmp", 6}, Scale{"key.bmp", 15}, Scale{"editcapo.bmp", 8},
                           Scale{"vol10.bmp", 10}, Scale{"tempo.bmp", 29}, Scale{"ldefaul4.bmp", 9},
                           Scale{"edit3.bmp", 10}}) {
        const QImage image = picture(s.name);
        const double slotTwips = (3080.0 - 3080.0 / (2.0 * s.count)) / s.count;
        for (int k = 1; k <= s.count; ++k) {
            const int x = static_cast<int>(std::lround(slotCentre(s.count, k)));
            EXPECT_EQ(static_cast<int>(std::nearbyint(x * 15 / slotTwips)), k)
                << s.name << " slot " << k;
            EXPECT_LT(luminance(image.pixel(x, kScaleHeight - 5)), 140) << s.name << " tick " << k;
            EXPECT_GT(inkIn(image, QRect(x - 4, 2, 9, 20)), 0) << s.name << " label " << k;
        }
    }
}

TEST_F(Generated, ChosenChordTypeIsMarkedOnItsOwnButtonOnly) {
    const QImage strip = picture("ch_all.bmp");
    const QImage first = strip.copy(0, 0, kChordCellWidth, kChordBandHeight);
    for (int c = 1; c < kChordTypes; ++c) {
        const QImage band = strip.copy(0, c * kChordCellHeight, kChordCellWidth, kChordBandHeight);
        for (int x = 0; x < kChordCellWidth; ++x) {
            const int button = x / kChordButtonWidth;  // type 1 is the first button
            if (button == 1 || button == c + 1) continue;
            for (int y = 0; y < kChordBandHeight; ++y) {
                ASSERT_EQ(band.pixel(x, y), first.pixel(x, y)) << "cell " << c << " at " << x;
            }
        }
    }
}

TEST_F(Generated, DrawingIsRepeatable) {
    EXPECT_EQ(drawNeck(Hand::Right), drawNeck(Hand::Right));
    EXPECT_EQ(drawMarkerSheet(MarkerKind::Struck), drawMarkerSheet(MarkerKind::Struck));
    EXPECT_EQ(drawKeyDownSheet(), drawKeyDownSheet());
}

TEST(AssetOutput, ReportsAFolderThatCannotBeMade) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString blocker = QDir(dir.path()).filePath("file");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QString error;
    EXPECT_FALSE(
        savePicture(drawCapo(), blocker + "/inside", "piccapo.bmp", OutputOptions{}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(saveClip({1, 2, 3}, blocker + "/inside/x.wav", &error));
}

}  // namespace
}  // namespace lutavo::assetgen

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
