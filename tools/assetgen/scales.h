// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seven scales of the settings adjuster.

#include <QImage>
#include <vector>

#include "fonts.h"

namespace lutavo::assetgen {

inline constexpr int kScaleWidth = 205;  // 3080 twips
inline constexpr int kScaleHeight = 30;

enum class ScaleKind { TimeSignature, Key, Capo, Volume, Tempo, LeadIn, NoteLength };

int slotCount(ScaleKind kind);

// Centre x (pixels) of slot k = 1..N: the x the adjuster turns into slot k when clicked,
// k times the slot width (3080 - 3080 / 2N) / N twips.
double slotCentre(int count, int k);

QImage drawScale(ScaleKind kind, const Fonts& fonts);

}  // namespace lutavo::assetgen
