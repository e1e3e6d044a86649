#include "LinkLabel.h"
#include "platform/SystemText.h"

#include "Palette.h"
#include "WinText.h"

#include <commctrl.h>
#include <shellapi.h>

#include <utility>

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

std::function<void(std::string_view)> &OpenAddressHook()
{
    static std::function<void(std::string_view)> hook;
    return hook;
}

bool OpensLink(WPARAM key)
{
    return key == VK_RETURN || key == VK_SPACE;
}

} // namespace

void SetOpenAddressHook(std::function<void(std::string_view address)> hook)
{
    OpenAddressHook() = std::move(hook);
}

void LinkLabel::Create(HWND parent, int id)
{
    Label::Create(parent, id);
    FollowSystemColours();
    ::SetWindowSubclass(handle_, &LinkLabel::Procedure, kSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
}

void LinkLabel::Open(std::string_view address) const
{
    if (OpenAddressHook()) {
        OpenAddressHook()(address);
        return;
    }
    ::ShellExecuteW(::GetParent(handle_), L"open", platform::ToUtf16(address, CP_UTF8).c_str(),
                    nullptr, nullptr, SW_SHOW);
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
    if (HighContrast()) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_HOTLIGHT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    ::SetTextColor(dc, kNavy);
    ::SetBkColor(dc, Background());
    return background_.get();
}

void LinkLabel::FollowSystemColours()
{
    background_.reset(::CreateSolidBrush(Background()));
}

std::optional<Spoken> LinkLabel::SpokenAs(long child) const
{
    std::optional<Spoken> spoken = Label::SpokenAs(child);
    if (spoken) {
        spoken->role = ROLE_SYSTEM_LINK;
        spoken->state =
            STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED | (Focused() ? STATE_SYSTEM_FOCUSED : 0);
    }
    return spoken;
}

LRESULT CALLBACK LinkLabel::Procedure(HWND label, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649))); // IDC_HAND
        return TRUE;
    case WM_GETDLGCODE: {
        // Enter and Space are the link's, not the dialog keys'.
        const auto *key = reinterpret_cast<const MSG *>(lParam);
        return key && key->message == WM_KEYDOWN && OpensLink(key->wParam) ? DLGC_WANTMESSAGE : 0;
    }
    case WM_KEYDOWN:
        if (OpensLink(wParam)) {
            ::SendMessageW(::GetParent(label), WM_COMMAND,
                           MAKEWPARAM(::GetDlgCtrlID(label), STN_CLICKED),
                           reinterpret_cast<LPARAM>(label));
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(label, nullptr, TRUE);
        break;
    case WM_PAINT: {
        // The keyboard's place shows round the text.
        const LRESULT painted = ::DefSubclassProc(label, message, wParam, lParam);
        if (::GetFocus() == label) {
            RECT client{};
            ::GetClientRect(label, &client);
            HDC dc = ::GetDC(label);
            ::DrawFocusRect(dc, &client);
            ::ReleaseDC(label, dc);
        }
        return painted;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(label, &LinkLabel::Procedure, kSubclassId);
        break;
    default:
        break;
    }
    return ::DefSubclassProc(label, message, wParam, lParam);
}

} // namespace vorsa::win32
