// How well a text colour reads on its background, as WCAG 2 measures it:
// the windows take another text colour where a theme's own pair would not
// read.
#pragma once

#include "FormDesign.h"

namespace vorsa::ui
{

// What text needs: 4.5:1.
inline constexpr double kReadableContrast = 4.5;

// (L1 + 0.05) / (L2 + 0.05) of the relative luminances, the lighter first: 1 to 21.
double ContrastRatio(Colour a, Colour b);

// `wanted` where it reads on `background`, else black or white, whichever
// reads better.
Colour ReadableOn(Colour background, Colour wanted);

} // namespace vorsa::ui
