#include "Control.h"

#include "WinText.h"

#include <commctrl.h>

namespace vorsa::win32
{

namespace
{

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

} // namespace

void Control::Make(HWND parent, const wchar_t *className, DWORD style, DWORD exStyle, int id)
{
    handle_ = ::CreateWindowExW(exStyle, className, L"", kChild | style, 0, 0, 0, 0, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                ::GetModuleHandleW(nullptr), nullptr);
}

void Control::SetScale(UINT, HFONT font)
{
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

HBRUSH Control::Colour(HDC dc) const
{
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return ::GetSysColorBrush(COLOR_BTNFACE);
}

void Control::Place(const ui::Rect &at)
{
    ::SetWindowPos(handle_, nullptr, at.left, at.top, at.width, at.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Control::StateText() const
{
    return NarrowText(handle_);
}

void Control::SetStateText(const std::string &text) const
{
    SetNarrowText(handle_, text);
}

void Control::SetProgramText(std::string_view utf8) const
{
    win32::SetProgramText(handle_, utf8);
}

void Control::NoteColourChange(WPARAM wParam, LPARAM lParam) const
{
    ::SendMessageW(handle_, WM_SYSCOLORCHANGE, wParam, lParam);
}

void Label::Create(HWND parent, int id)
{
    Make(parent, WC_STATICW, style_ | SS_NOPREFIX, 0, id);
}

void Edit::Create(HWND parent, int id)
{
    Make(parent, WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, id);
}

void Button::Create(HWND parent, int id)
{
    Make(parent, WC_BUTTONW, style_, 0, id);
}

void ProgressBar::Create(HWND parent, int id)
{
    Make(parent, PROGRESS_CLASSW, 0, 0, id);
    ::SendMessageW(handle_, PBM_SETRANGE32, 0, 100);
}

void ProgressBar::SetPosition(int position) const
{
    ::SendMessageW(handle_, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

} // namespace vorsa::win32
