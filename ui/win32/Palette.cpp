#include "Palette.h"

#include <algorithm>
#include <cmath>
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

namespace
{

double Luminance(COLORREF colour)
{
    const auto linear = [](BYTE channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(GetRValue(colour)) + 0.7152 * linear(GetGValue(colour)) +
           0.0722 * linear(GetBValue(colour));
}

double Contrast(COLORREF a, COLORREF b)
{
    const auto [darker, lighter] = std::minmax(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

} // namespace

COLORREF ReadableOn(COLORREF background, COLORREF wanted)
{
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    if (Contrast(background, wanted) >= 4.5)
        return wanted;
    return Contrast(background, kBlack) >= Contrast(background, kWhite) ? kBlack : kWhite;
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
