#include "assets.h"

#include <QDir>
#include <QFileInfo>

#include "chord_strip.h"
#include "clips.h"
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
        return list;
    }();
    return all;
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
