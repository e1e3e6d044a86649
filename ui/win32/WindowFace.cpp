#include "WindowFace.h"

#include "FormDesign.h"
#include "platform/SystemText.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace vorsa::win32
{

namespace
{

int CALLBACK NoteFace(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0;
}

LOGFONTW ChooseFace()
{
    HDC screen = ::GetDC(nullptr);
    for (const std::string_view face : ui::kFontFaces) {
        LOGFONTW wanted{};
        wanted.lfCharSet = SHIFTJIS_CHARSET;
        platform::ToUtf16(face, CP_UTF8).copy(wanted.lfFaceName, LF_FACESIZE - 1);
        bool found = false;
        ::EnumFontFamiliesExW(screen, &wanted, &NoteFace, reinterpret_cast<LPARAM>(&found), 0);
        if (found) {
            ::ReleaseDC(nullptr, screen);
            return wanted;
        }
    }
    ::ReleaseDC(nullptr, screen);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW system{};
    system.lfCharSet = DEFAULT_CHARSET;
    std::copy(std::begin(metrics.lfMessageFont.lfFaceName),
              std::end(metrics.lfMessageFont.lfFaceName), system.lfFaceName);
    return system;
}

} // namespace

LOGFONTW WindowFace()
{
    static const LOGFONTW chosen = ChooseFace();
    return chosen;
}

} // namespace vorsa::win32
