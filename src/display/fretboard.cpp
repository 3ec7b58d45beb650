#include "display/fretboard.h"

#include <array>

#include "app/guitar.h"

namespace lutavo {

namespace {

constexpr std::array<int, 25> kFretEdgeX = {16,  58,  104, 144, 180, 213, 245, 274, 303,
                                            329, 355, 380, 403, 425, 446, 466, 486, 506,
                                            526, 545, 564, 579, 592, 605, 618};
constexpr std::array<int, 25> kFretMarkerX = {1,   38,  84,  124, 160, 193, 225, 256, 285,
                                              311, 337, 363, 386, 409, 430, 450, 471, 491,
                                              511, 531, 549, 565, 580, 595, 610};
constexpr std::array<int, 6> kStringY = {72, 58, 44, 30, 16, 2};

}  // namespace

void setfretboard(Guitar& g) {
    auto& d = g.display;
    const bool left = g.config.leftHanded != 0;
    for (int f = 0; f <= 24; ++f) {
        d.fretEdgeX[f] = static_cast<i16>(left ? 618 - kFretEdgeX[f] : kFretEdgeX[f]);
        d.fretMarkerX[f] = static_cast<i16>(left ? 613 - kFretMarkerX[f] : kFretMarkerX[f]);
    }
    for (int s = 1; s <= 6; ++s) d.stringY[s] = kStringY[s - 1];
    g.ui.fretboard.at.left = left ? 30 : 330;
    g.ui.fretboard.file = g.app.dataFolder + (left ? "fretrev.bmp" : "fretnew.bmp");
}

}  // namespace lutavo
