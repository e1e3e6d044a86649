#include "FormLayout.h"

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

} // namespace

FormLayout::FormLayout(HWND window, DWORD style, ControlLookup controls)
    : window_(window), style_(style), controls_(std::move(controls))
{
}

int FormLayout::Scale(int designPixels) const
{
    return ui::Scaled(designPixels, static_cast<int>(dpi_));
}

void FormLayout::Place(UINT windowDpi, const POINT *topLeft)
{
    windowDpi_ = windowDpi;
    // What the title bar and the borders add, at the dpi the system draws them.
    RECT frame{};
    ::AdjustWindowRectExForDpi(&frame, style_, FALSE, 0, ::GetDpiForWindow(window_));
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    ::GetMonitorInfoW(::MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &screen);
    const RECT &work = screen.rcWork;
    const ui::Rect workArea{work.left, work.top, work.right - work.left, work.bottom - work.top};
    const ui::FormPlacement placement = ui::PlaceForm(
        static_cast<int>(windowDpi), frame.right - frame.left, frame.bottom - frame.top, workArea);
    ui::Rect placed = placement.frame;
    if (topLeft) {
        placed.left = topLeft->x;
        placed.top = topLeft->y;
        placed = ui::KeepInside(placed, workArea);
    }
    ApplyDpi(static_cast<UINT>(placement.dpi));
    ::SetWindowPos(window_, nullptr, placed.left, placed.top, placed.width, placed.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
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
