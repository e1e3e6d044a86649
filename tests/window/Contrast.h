// Contrast as WCAG 2 measures it, and the colours a control paints read off
// its pixels.
#pragma once

#include "WindowDriver.h"

#include <vector>

namespace vorsa::testing
{

// (L1 + 0.05) / (L2 + 0.05) of the relative luminances, the lighter first: 1 to 21.
double ContrastRatio(ui::Colour a, ui::Colour b);

// The background is the colour most pixels have, the text the pixel of the
// highest contrast against it (antialiased edges lie between the two).
Painted PaintedFrom(const std::vector<ui::Colour> &pixels);

} // namespace vorsa::testing
