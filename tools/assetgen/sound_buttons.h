// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup window's pictures of the four sounds: a nylon-string, an acoustic, an electric and
// an overdriven electric guitar, each lying on its side.

#include <QImage>

namespace lutavo::assetgen {

inline constexpr int kSoundPictureWidth = 40;
inline constexpr int kSoundPictureHeight = 30;

enum class SoundPicture { Nylon, Acoustic, Electric, Overdrive };

QImage drawSoundPicture(SoundPicture kind);

}  // namespace lutavo::assetgen
