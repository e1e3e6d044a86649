#include "Palette.h"

#include "Contrast.h"

#include <utility>

namespace vorsa::win32
{

namespace
{

std::function<bool()> &HighContrastHook()
{
    static std::function<bool()> hook;
    return hook;
}

} // namespace

bool HighContrast()
{
    if (HighContrastHook())
        return HighContrastHook()();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF ReadableOn(COLORREF background, COLORREF wanted)
{
    const auto colour = [](COLORREF rgb) {
        return ui::Colour{GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
    };
    const ui::Colour readable = ui::ReadableOn(colour(background), colour(wanted));
    return RGB(readable.red, readable.green, readable.blue);
}

Selection SelectionColours(bool focused)
{
    const COLORREF background = ::GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    const COLORREF text = ::GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    // A contrast theme's own pair is the user's choice.
    return {HighContrast() ? text : ReadableOn(background, text), background};
}

HBRUSH PaintOnFace(HDC dc)
{
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

void SetHighContrastHook(std::function<bool()> hook)
{
    HighContrastHook() = std::move(hook);
}

} // namespace vorsa::win32
