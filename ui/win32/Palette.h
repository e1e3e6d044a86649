// The colours the window paints its texts in. Outside a contrast theme the
// design's: cream state labels, a navy link, the window's face; each text
// with a colour of its own that reads on its background. In a Windows
// high-contrast theme the system's colours alone.
#pragma once

#include <windows.h>

#include <functional>

namespace vorsa::win32
{

// Whether a high-contrast theme is on (SPI_GETHIGHCONTRAST).
bool HighContrast();

// Answers a WM_CTLCOLOR* for text on the window's face: the system's button
// text on its button face. The background's brush.
HBRUSH PaintOnFace(HDC dc);

// `wanted` where it reads on `background` (WCAG's 4.5:1), else black or
// white, whichever reads better: for a system colour pair that does not
// (wine's white on light blue selection gives 3.1:1).
COLORREF ReadableOn(COLORREF background, COLORREF wanted);

// The colours of a selected entry in a list that `focused` or not: the
// system's, its text where it reads.
struct Selection {
    COLORREF text;
    COLORREF background;
};
Selection SelectionColours(bool focused);

// The seam: with a hook set, it answers whether a contrast theme is on, for
// a system (wine) that cannot switch one on.
void SetHighContrastHook(std::function<bool()> hook);

} // namespace vorsa::win32
