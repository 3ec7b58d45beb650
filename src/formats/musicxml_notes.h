// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The music of one MusicXML part: its measures' attributes, notes, directions and bar lines.

#include <pugixml.hpp>

#include <vector>

#include "formats/score.h"

namespace lutavo::musicxml {

struct MeasureNodes {
    pugi::xml_node measure;  // the <measure> element
    pugi::xml_node music;    // the element whose children are the music
};

// Reads the measures into track (tuning, capo and the beats of one voice of one staff). When
// bars is given, the bars' time signatures, keys, tempi and repeats go there too.
void readPart(const std::vector<MeasureNodes>& measures, score::Track& track,
              std::vector<score::BarInfo>* bars, LostItems& pieceLost);

}  // namespace lutavo::musicxml
