// The rectangle Windows suggests to a window moved to a screen of another
// dpi (WM_DPICHANGED), for tests under wine, which never sends it.
#pragma once

#include <windows.h>

namespace vorsa::testing
{

// The size `window` asks for at `dpi` (WM_GETDPISCALEDSIZE), its frame as
// wine draws it: at the dpi wine gave the window, never the screen's.
inline SIZE SuggestedSize(HWND window, UINT dpi)
{
    SIZE size{};
    ::SendMessageW(window, WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
    RECT atDpi{};
    RECT drawn{};
    ::AdjustWindowRectExForDpi(&atDpi, style, FALSE, 0, dpi);
    ::AdjustWindowRectExForDpi(&drawn, style, FALSE, 0, ::GetDpiForWindow(window));
    size.cx -= (atDpi.right - atDpi.left) - (drawn.right - drawn.left);
    size.cy -= (atDpi.bottom - atDpi.top) - (drawn.bottom - drawn.top);
    return size;
}

} // namespace vorsa::testing
