#include "FormLayout.h"

#include "Resources.h"
#include "WindowFace.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vorsa::win32
{

namespace
{

// A control's text in its own font, in pixels.
SIZE TextSize(HWND control)
{
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(control, text.data(), length + 1);
    SIZE size{};
    HDC dc = ::GetDC(control);
    HGDIOBJ previous =
        ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    ::GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(control, dc);
    return size;
}

// Where `control` lies within `parent`'s client area.
RECT RectWithin(HWND parent, HWND control)
{
    RECT at{};
    ::GetWindowRect(control, &at);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&at), 2);
    return at;
}

RECT WorkAreaOf(HMONITOR monitor)
{
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    ::GetMonitorInfoW(monitor, &screen);
    return screen.rcWork;
}

} // namespace

FormLayout::FormLayout(HWND window, DWORD style, ControlLookup controls)
    : window_(window), style_(style), controls_(std::move(controls))
{
}

int FormLayout::Scale(int designPixels) const
{
    return ui::Scaled(designPixels, static_cast<int>(dpi_));
}

ui::FormPlacement FormLayout::Fit(UINT windowDpi, const RECT &work) const
{
    // What the title bar and the borders add, at the dpi the system draws them.
    RECT frame{};
    ::AdjustWindowRectExForDpi(&frame, style_, FALSE, 0, windowDpi);
    const ui::Rect workArea{work.left, work.top, work.right - work.left, work.bottom - work.top};
    return ui::PlaceForm(static_cast<int>(windowDpi), frame.right - frame.left,
                         frame.bottom - frame.top, workArea);
}

void FormLayout::Place(UINT windowDpi)
{
    windowDpi_ = windowDpi;
    const ui::FormPlacement placement =
        Fit(windowDpi, WorkAreaOf(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY)));
    ApplyDpi(static_cast<UINT>(placement.dpi));
    SetIcons(windowDpi);
    const ui::Rect &placed = placement.frame;
    ::SetWindowPos(window_, nullptr, placed.left, placed.top, placed.width, placed.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE FormLayout::SizeAt(UINT windowDpi) const
{
    const ui::FormPlacement placement =
        Fit(windowDpi, WorkAreaOf(::MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST)));
    return {placement.frame.width, placement.frame.height};
}

void FormLayout::MoveTo(UINT windowDpi, const RECT &suggested)
{
    windowDpi_ = windowDpi;
    const ui::FormPlacement placement =
        Fit(windowDpi, WorkAreaOf(::MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST)));
    ApplyDpi(static_cast<UINT>(placement.dpi));
    SetIcons(windowDpi);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormLayout::SetIcons(UINT windowDpi)
{
    // vorsa.exe's icon; a test program has none.
    const auto load = [windowDpi](int width, int height) {
        return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                               MAKEINTRESOURCEW(IDI_VORSA), IMAGE_ICON,
                                               ::GetSystemMetricsForDpi(width, windowDpi),
                                               ::GetSystemMetricsForDpi(height, windowDpi), 0));
    };
    UniqueIcon big(load(SM_CXICON, SM_CYICON));
    UniqueIcon small(load(SM_CXSMICON, SM_CYSMICON));
    if (!big || !small)
        return;
    // The window takes the new icons before the old ones go.
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void FormLayout::ApplyDpi(UINT dpi)
{
    dpi_ = dpi;
    LOGFONTW face = WindowFace();
    face.lfHeight = -Scale(ui::kFontPixels);
    face.lfQuality = DEFAULT_QUALITY;
    // The controls take the new font before the old one goes.
    UniqueFont font(::CreateFontIndirectW(&face));
    for (const ui::ControlDesign &design : ui::kForm) {
        if (design.parent != ui::Control::ToolBar1)
            controls_(design.control).SetScale(dpi, font.get());
    }
    font_ = std::move(font);

    for (const ui::ControlDesign &design : ui::kForm) {
        if (design.parent == ui::Control::ToolBar1)
            continue;
        Control &control = controls_(design.control);
        const ui::Rect at = ui::Scaled(ui::ClientRectOf(design.control), static_cast<int>(dpi));
        switch (design.sizing) {
        case ui::Sizing::Fixed:
        case ui::Sizing::FontHeight:
            control.Place(at);
            break;
        case ui::Sizing::ToText: {
            const SIZE size = TextSize(control.Handle());
            control.Place({at.left, at.top, size.cx, size.cy});
            break;
        }
        case ui::Sizing::Under: {
            // Below the drive selector, the only control that grows.
            const RECT above = RectWithin(window_, controls_(ui::Control::DriveComboBox1).Handle());
            const ui::Rect designed =
                ui::Scaled(ui::ClientRectOf(ui::Control::DriveComboBox1), static_cast<int>(dpi));
            const int grown =
                std::max(0, static_cast<int>(above.bottom) - (designed.top + designed.height));
            control.Place({at.left, at.top + grown, at.width, at.height - grown});
            break;
        }
        }
    }
    ::InvalidateRect(window_, nullptr, TRUE);
}

} // namespace vorsa::win32
