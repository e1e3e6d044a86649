#include "LinkLabel.h"

#include "WinText.h"

#include <commctrl.h>
#include <shellapi.h>

namespace vorsa::win32
{

namespace
{

constexpr UINT_PTR kSubclassId = 1;
constexpr COLORREF kNavy = RGB(ui::kNavy.red, ui::kNavy.green, ui::kNavy.blue);

// The link's background: the caption text colour, white on the desktops
// the design was made for. Where that colour is dark (black on Windows 10
// and 11), navy text on it could not be read, and the window colour stands in.
COLORREF Background()
{
    const COLORREF caption = ::GetSysColor(COLOR_CAPTIONTEXT);
    const int brightness =
        (GetRValue(caption) * 299 + GetGValue(caption) * 587 + GetBValue(caption) * 114) / 1000;
    return brightness >= 128 ? caption : ::GetSysColor(COLOR_WINDOW);
}

} // namespace

void LinkLabel::Create(HWND parent, int id)
{
    Label::Create(parent, id);
    FollowSystemColours();
    ::SetWindowSubclass(handle_, &LinkLabel::Procedure, kSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
}

void LinkLabel::Open(std::string_view address) const
{
    ::ShellExecuteW(::GetParent(handle_), L"open", Widen(address).c_str(), nullptr, nullptr,
                    SW_SHOW);
}

void LinkLabel::SetScale(UINT dpi, HFONT font)
{
    LOGFONTW face{};
    ::GetObjectW(font, sizeof face, &face);
    face.lfUnderline = TRUE;
    // The label takes the new font before the old one goes.
    UniqueFont underlined(::CreateFontIndirectW(&face));
    Label::SetScale(dpi, underlined.get());
    font_ = std::move(underlined);
}

HBRUSH LinkLabel::Colour(HDC dc) const
{
    ::SetTextColor(dc, kNavy);
    ::SetBkColor(dc, Background());
    return background_.get();
}

void LinkLabel::FollowSystemColours()
{
    background_.reset(::CreateSolidBrush(Background()));
}

LRESULT CALLBACK LinkLabel::Procedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649))); // IDC_HAND
        return TRUE;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(label, &LinkLabel::Procedure, kSubclassId);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(label, message, wParam, lParam);
}

} // namespace vorsa::win32
