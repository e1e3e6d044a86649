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

    // Fits the window to the work area of its screen at `windowDpi`, centred.
    void Place(UINT windowDpi);
    // WM_GETDPISCALEDSIZE: the frame's size on a screen of `windowDpi`, for
    // the system to suggest.
    SIZE SizeAt(UINT windowDpi) const;
    // WM_DPICHANGED: the form laid out for `windowDpi`, the window where the
    // system suggests, as given, so that a window dragged to another screen
    // stays under the pointer and no cycle of changes starts.
    void MoveTo(UINT windowDpi, const RECT &suggested);

    UINT WindowDpi() const { return windowDpi_; }
    UINT LayoutDpi() const { return dpi_; }

private:
    // Where the window goes in `work`, and the form's dpi, on a screen of `windowDpi`.
    ui::FormPlacement Fit(UINT windowDpi, const RECT &work) const;
    void ApplyDpi(UINT dpi);
    // The window's icons at the sizes of `windowDpi`.
    void SetIcons(UINT windowDpi);
    // Design pixels at the form's dpi.
    int Scale(int designPixels) const;

    HWND window_;
    DWORD style_;
    ControlLookup controls_;
    UINT windowDpi_ = USER_DEFAULT_SCREEN_DPI;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    UniqueFont font_; // every control's, the link's underlined from it
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
};

} // namespace vorsa::win32
