#pragma once

// The wheel chart as a placeable Windows Metafile: the wheel on the left, a column of
// text on the right, 7680 x 5760 logical units at 1280 units per inch.

#include <cstdint>
#include <vector>

#include "engine/chart.h"

namespace vantrel::engine {

struct PictureStyle {
    bool reversed = false;    // black on white instead of white on black
    bool monochrome = false;  // one colour instead of colours by element
};

std::vector<std::uint8_t> drawWheelPicture(const Chart& chart, const PictureStyle& style,
                                           bool dayFirst);

}  // namespace vantrel::engine
