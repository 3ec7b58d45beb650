// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets.h"

#include <QDir>
#include <QFileInfo>
#include <string_view>

#include "chord_strip.h"
#include "clips.h"
#include "fine_sheets.h"
#include "keyboard.h"
#include "lesson_pages.h"
#include "markers.h"
#include "neck.h"
#include "notation.h"
#include "pointers.h"
#include "scale_strip.h"
#include "scales.h"
#include "sheet_layout.h"
#include "sound_buttons.h"
#include "tablature.h"

namespace lutavo::assetgen {

using namespace layout;

namespace {

// The artwork a zoomed window shows, by its plain name and its names at 2 and 4 times.
constexpr const char* kFineArt[][3] = {
    {"fretnew.bmp", "fretnew_x2.bmp", "fretnew_x4.bmp"},
    {"fretrev.bmp", "fretrev_x2.bmp", "fretrev_x4.bmp"},
    {"piccapo.bmp", "piccapo_x2.bmp", "piccapo_x4.bmp"},
    {"picfingers.bmp", "picfingers_x2.bmp", "picfingers_x4.bmp"},
    {"picfingx.bmp", "picfingx_x2.bmp", "picfingx_x4.bmp"},
    {"keyboard.bmp", "keyboard_x2.bmp", "keyboard_x4.bmp"},
    {"keydown.bmp", "keydown_x2.bmp", "keydown_x4.bmp"},
    {"timesig.bmp", "timesig_x2.bmp", "timesig_x4.bmp"},
    {"key.bmp", "key_x2.bmp", "key_x4.bmp"},
    {"editcapo.bmp", "editcapo_x2.bmp", "editcapo_x4.bmp"},
    {"vol10.bmp", "vol10_x2.bmp", "vol10_x4.bmp"},
    {"tempo.bmp", "tempo_x2.bmp", "tempo_x4.bmp"},
    {"ldefaul4.bmp", "ldefaul4_x2.bmp", "ldefaul4_x4.bmp"},
    {"edit3.bmp", "edit3_x2.bmp", "edit3_x4.bmp"},
};

std::vector<PictureAsset> artAt(const std::vector<PictureAsset>& plain, int scale) {
    std::vector<PictureAsset> fine;
    for (const auto& names : kFineArt) {
        for (const PictureAsset& p : plain) {
            if (std::string_view(p.fileName) != names[0]) continue;
            fine.push_back(
                {names[scale == 2 ? 1 : 2], p.width * scale, p.height * scale,
                 [draw = p.draw, scale](const Fonts& f) { return enlargeArt(draw(f), scale); }});
        }
    }
    return fine;
}

}  // namespace

const std::vector<PictureAsset>& pictureAssets() {
    static const std::vector<PictureAsset> assets = {
        {"picscore.bmp", kScoreWidth, kScoreHeight,
         [](const Fonts&) { return drawScoreBackground(); }},
        {"pictab.bmp", kTabWidth, kTabHeight, [](const Fonts&) { return drawTabBackground(); }},
        {"pictabno.bmp", kFretNumbersWidth, kFretNumbersHeight,
         [](const Fonts&) { return drawFretNumbers(); }},
        {"pictabnx.bmp", kHeldNumbersWidth, kFretNumbersHeight,
         [](const Fonts&) { return drawHeldFretNumbers(); }},
        {"fretnew.bmp", kNeckWidth, kNeckHeight,
         [](const Fonts&) { return drawNeck(Hand::Right); }},
        {"fretrev.bmp", kNeckWidth, kNeckHeight, [](const Fonts&) { return drawNeck(Hand::Left); }},
        {"piccapo.bmp", kCapoWidth, kCapoHeight, [](const Fonts&) { return drawCapo(); }},
        {"picfingers.bmp", kMarkerSheetWidth, kMarkerSheetHeight,
         [](const Fonts&) { return drawMarkerSheet(MarkerKind::Struck); }},
        {"picfingx.bmp", kMarkerSheetWidth, kMarkerSheetHeight,
         [](const Fonts&) { return drawMarkerSheet(MarkerKind::Held); }},
        {"keyboard.bmp", kKeyboardWidth, kKeyboardHeight,
         [](const Fonts&) { return drawKeyboard(); }},
        {"keydown.bmp", kKeyDownWidth, kKeyDownHeight,
         [](const Fonts&) { return drawKeyDownSheet(); }},
        {"picnotes.bmp", kNotesWidth, kNotesHeight,
         [](const Fonts& f) { return drawNoteSheet(f); }},
        {"pointer.bmp", kPointerWidth, kPointerHeight,
         [](const Fonts&) { return drawNotePointer(); }},
        {"vpointer.bmp", kLinePointerWidth, kLinePointerHeight,
         [](const Fonts&) { return drawLinePointer(); }},
        {"lpointer.bmp", kSlotPointerWidth, kSlotPointerHeight,
         [](const Fonts&) { return drawSlotPointer(); }},
        {"timesig.bmp", kScaleWidth, kScaleHeight,
         [](const Fonts& f) { return drawScale(ScaleKind::TimeSignature, f); }},
        {"key.bmp", kScaleWidth, kScaleHeight,
         [](const Fonts& f) { return drawScale(ScaleKind::Key, f); }},
        {"editcapo.bmp", kScaleWidth, kScaleHeight,
         [](const Fonts& f) { return drawScale(ScaleKind::Capo, f); }},
        {"vol10.bmp", kScaleWidth, kScaleHeight,
         [](const Fonts& f) { return drawScale(ScaleKind::Volume, f); }},
        {"tempo.bmp", kScaleWidth, kScaleHeight,
         [](const Fonts& f) { return drawScale(ScaleKind::Tempo, f); }},
        {"ldefaul4.bmp", kScaleWidth, kScaleHeight,
         [](const Fonts& f) { return drawScale(ScaleKind::LeadIn, f); }},
        {"edit3.bmp", kScaleWidth, kScaleHeight,
         [](const Fonts& f) { return drawScale(ScaleKind::NoteLength, f); }},
        {"ch_all.bmp", kChordCellWidth, kChordCellHeight * kChordTypes,
         [](const Fonts& f) { return drawChordStrip(f); }},
        {"sc_all.bmp", kChordCellWidth, kChordCellHeight * kScaleTypes,
         [](const Fonts& f) { return drawScaleStrip(f); }},
        {"defaultl.bmp", kLessonPictureWidth, kLessonPictureHeight,
         [](const Fonts& f) { return drawDefaultLessonPicture(f); }},
        {"sndnylon.bmp", kSoundPictureWidth, kSoundPictureHeight,
         [](const Fonts&) { return drawSoundPicture(SoundPicture::Nylon); }},
        {"sndacous.bmp", kSoundPictureWidth, kSoundPictureHeight,
         [](const Fonts&) { return drawSoundPicture(SoundPicture::Acoustic); }},
        {"sndelect.bmp", kSoundPictureWidth, kSoundPictureHeight,
         [](const Fonts&) { return drawSoundPicture(SoundPicture::Electric); }},
        {"sndodriv.bmp", kSoundPictureWidth, kSoundPictureHeight,
         [](const Fonts&) { return drawSoundPicture(SoundPicture::Overdrive); }},
    };
    static const std::vector<PictureAsset> all = [] {
        std::vector<PictureAsset> list = assets;
        for (PictureAsset& lesson : lessonPictureAssets())
            list.push_back(std::move(lesson));
        for (int scale : {2, 4}) {
            for (const PictureAsset& fine : pageSheetsAt(scale))
                list.push_back(fine);
            for (const PictureAsset& fine : artAt(list, scale))
                list.push_back(fine);
        }
        return list;
    }();
    return all;
}

// Every sheet the page is drawn from, at 2 or 4 times its size.
std::vector<PictureAsset> pageSheetsAt(int scale) {
    static const char* const kNames[2][5] = {{"picscore_x2.bmp", "pictab_x2.bmp", "picnotes_x2.bmp",
                                              "pictabno_x2.bmp", "pictabnx_x2.bmp"},
                                             {"picscore_x4.bmp", "pictab_x4.bmp", "picnotes_x4.bmp",
                                              "pictabno_x4.bmp", "pictabnx_x4.bmp"}};
    const auto& name = kNames[scale == 2 ? 0 : 1];
    return {
        {name[0], kScoreWidth * scale, kScoreHeight * scale,
         [scale](const Fonts&) { return drawScoreBackground(scale); }},
        {name[1], kTabWidth * scale, kTabHeight * scale,
         [scale](const Fonts&) { return enlargeSheet(drawTabBackground(), scale); }},
        {name[2], kNotesWidth * scale, kNotesHeight * scale,
         [scale](const Fonts& f) { return drawNoteSheet(f, scale); }},
        {name[3], kFretNumbersWidth * scale, kFretNumbersHeight * scale,
         [scale](const Fonts&) { return enlargeSheet(drawFretNumbers(), scale); }},
        {name[4], kHeldNumbersWidth * scale, kFretNumbersHeight * scale,
         [scale](const Fonts&) { return enlargeSheet(drawHeldFretNumbers(), scale); }},
    };
}

const std::vector<ClipAsset>& clipAssets() {
    static const std::vector<ClipAsset> clips = {
        {"tick.wav", synthTick},
        {"lclick.wav", synthSoftClick},
        {"bob5.wav", synthJingle},
    };
    static const std::vector<ClipAsset> all = [] {
        std::vector<ClipAsset> list = clips;
        for (ClipAsset& lesson : lessonClipAssets())
            list.push_back(std::move(lesson));
        return list;
    }();
    return all;
}

std::vector<QString> assetFileNames() {
    std::vector<QString> names;
    for (const PictureAsset& p : pictureAssets())
        names.emplace_back(p.fileName);
    for (const ClipAsset& c : clipAssets())
        names.emplace_back(c.fileName);
    return names;
}

bool writeAllAssets(const QString& folder, const Fonts& fonts, const OutputOptions& options,
                    QString* error) {
    for (const PictureAsset& asset : pictureAssets()) {
        const QImage image = asset.draw(fonts);
        if (image.width() != asset.width || image.height() != asset.height) {
            if (error) *error = QString("%1 came out at the wrong size").arg(asset.fileName);
            return false;
        }
        if (!savePicture(image, folder, asset.fileName, options, error)) return false;
    }
    for (const ClipAsset& clip : clipAssets()) {
        const QString path = QDir(folder).filePath(clip.fileName);
        QDir().mkpath(QFileInfo(path).path());
        if (!saveClip(clip.make(), path, error)) return false;
    }
    return true;
}

}  // namespace lutavo::assetgen
