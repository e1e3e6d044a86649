#include "Control.h"
#include "platform/SystemText.h"

#include "Palette.h"
#include "WinText.h"

#include <commctrl.h>

#include <algorithm>

namespace vorsa::win32
{

namespace
{

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr UINT_PTR kAnswerId = 0x5650; // the subclass that answers screen readers

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
    return PaintOnFace(dc);
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

void Control::SpeakAs(ui::Control control)
{
    spokenName_ = platform::ToUtf16(ui::SpokenNameOf(control), CP_UTF8);
    spokenKeys_ = platform::ToUtf16(ui::KeysOf(control), CP_UTF8);
    ::SetWindowSubclass(handle_, &Control::Answer, kAnswerId, reinterpret_cast<DWORD_PTR>(this));
}

std::optional<Spoken> Control::SpokenAs(long child) const
{
    if (child != CHILDID_SELF)
        return std::nullopt;
    Spoken spoken;
    spoken.name = spokenName_;
    spoken.role = role_;
    if (!spokenKeys_.empty())
        spoken.keys = spokenKeys_;
    return spoken;
}

std::wstring Control::WideText() const
{
    const int length = ::GetWindowTextLengthW(handle_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(std::max(0, ::GetWindowTextW(handle_, text.data(), length + 1))));
    return text;
}

LRESULT CALLBACK Control::Answer(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR self)
{
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const auto *spoken = reinterpret_cast<const Control *>(self);
        Speaker speaker;
        speaker.spoken = [spoken](long child) { return spoken->SpokenAs(child); };
        if (spoken->SpokenItems())
            speaker.children = [spoken] { return *spoken->SpokenItems(); };
        if (const LRESULT object = AccessibleObjectOf(control, wParam, speaker))
            return object;
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(control, &Control::Answer, kAnswerId);
    return ::DefSubclassProc(control, message, wParam, lParam);
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

std::optional<Spoken> ProgressBar::SpokenAs(long child) const
{
    std::optional<Spoken> spoken = Control::SpokenAs(child);
    if (spoken)
        spoken->value = std::to_wstring(::SendMessageW(handle_, PBM_GETPOS, 0, 0)) + L"%";
    return spoken;
}

} // namespace vorsa::win32
