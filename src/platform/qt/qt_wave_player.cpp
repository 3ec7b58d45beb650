#include "platform/qt/qt_wave_player.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QUrl>

namespace lutavo {

QtWavePlayer::QtWavePlayer() = default;
QtWavePlayer::~QtWavePlayer() = default;

namespace {

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

// The default output, without the sound server's complaint when there is none: a machine
// without sound just plays no clips.
QAudioDevice defaultOutputQuietly() {
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    QAudioDevice output = QMediaDevices::defaultAudioOutput();
    qInstallMessageHandler(previous);
    return output;
}

}  // namespace

bool QtWavePlayer::play(const std::string& path) {
    const QFileInfo file(QString::fromStdString(path));
    if (!file.isFile() || !file.isReadable()) return false;
    const QAudioDevice output = defaultOutputQuietly();
    if (output.isNull()) return false;
    if (effect_ == nullptr) effect_ = std::make_unique<QSoundEffect>(output);
    effect_->stop();
    const QUrl source = QUrl::fromLocalFile(file.absoluteFilePath());
    if (effect_->source() != source) effect_->setSource(source);
    // Loading finishes in the background; a clip asked for while loading starts once loaded.
    effect_->play();
    return effect_->status() != QSoundEffect::Error;
}

}  // namespace lutavo
