// The colours a control paints, read off its pixels, and how well they read.
#pragma once

#include "Contrast.h"
#include "WindowDriver.h"

#include <vector>

namespace vorsa::testing
{

using ui::ContrastRatio;

// The background is the colour most pixels have, the text the pixel of the
// highest contrast against it (antialiased edges lie between the two).
Painted PaintedFrom(const std::vector<ui::Colour> &pixels);

} // namespace vorsa::testing
