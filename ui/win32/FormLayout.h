// The window on its screen: where it goes, the dpi its form is laid out at
// (the screen's, lower where the window would not fit), and each control's
// font, place and size for that dpi, scaled from the 96-dpi design.
#pragma once

#include "Control.h"
#include "FormDesign.h"
#include "WinHandles.h"

#include <windows.h>

#include <functional>

namespace vorsa::win32
{

// The form's control of each name in the design; the tool buttons are the tool bar's.
using ControlLookup = std::function<Control &(ui::Control)>;

class FormLayout
{
public:
    // `window` has `style`; its controls are those `controls` finds.
    FormLayout(HWND window, DWORD style, ControlLookup controls);

    // Fits the window to the work area of its screen at `windowDpi`, the
    // frame's top left at `topLeft` where it fits there, else centred.
    void Place(UINT windowDpi, const POINT *topLeft);

    UINT WindowDpi() const { return windowDpi_; }
    UINT LayoutDpi() const { return dpi_; }

private:
    void ApplyDpi(UINT dpi);
    // Design pixels at the form's dpi.
    int Scale(int designPixels) const;

    HWND window_;
    DWORD style_;
    ControlLookup controls_;
    UINT windowDpi_ = USER_DEFAULT_SCREEN_DPI;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    UniqueFont font_; // every control's, the link's underlined from it
};

} // namespace vorsa::win32
