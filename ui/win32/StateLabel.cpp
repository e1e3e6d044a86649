#include "StateLabel.h"

#include "Palette.h"

#include <commctrl.h>

namespace vorsa::win32
{

namespace
{

constexpr COLORREF kCream = RGB(ui::kCream.red, ui::kCream.green, ui::kCream.blue);
// Dark on cream, whatever colour the system gives text: 20:1.
constexpr COLORREF kInk = RGB(0, 0, 0);

TTTOOLINFOW ToolOf(HWND label)
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = ::GetParent(label);
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    return tool;
}

} // namespace

// A path takes the pointer, for the tool tip.
StateLabel::StateLabel(Shows shows)
    : Label(shows == Shows::Path ? SS_LEFTNOWORDWRAP | SS_NOTIFY : SS_CENTER), shows_(shows)
{
}

void StateLabel::Create(HWND parent, int id)
{
    cream_.reset(::CreateSolidBrush(kCream));
    Label::Create(parent, id);
    if (shows_ != Shows::Path)
        return;
    pathTip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    TTTOOLINFOW tool = ToolOf(handle_);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.lpszText = const_cast<wchar_t *>(L"");
    ::SendMessageW(pathTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void StateLabel::SetText(const std::string &text) const
{
    SetStateText(text);
    // A status that changes is heard, not only seen.
    if (shows_ == Shows::Status)
        ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, handle_, OBJID_CLIENT, CHILDID_SELF);
    if (!pathTip_)
        return;
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = ::GetParent(handle_);
    tool.uId = reinterpret_cast<UINT_PTR>(handle_);
    tool.lpszText = const_cast<char *>(text.c_str());
    ::SendMessageA(pathTip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void StateLabel::SetScale(UINT dpi, HFONT font)
{
    Label::SetScale(dpi, font);
    if (!pathTip_)
        return;
    ::SendMessageW(pathTip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // A long path wraps, at its spaces, within the window's width, rather
    // than running off the screen on one line.
    ::SendMessageW(pathTip_, TTM_SETMAXTIPWIDTH, 0,
                   ui::Scaled(ui::kClientWidth, static_cast<int>(dpi)));
}

std::optional<Spoken> StateLabel::SpokenAs(long child) const
{
    std::optional<Spoken> spoken = Label::SpokenAs(child);
    if (spoken)
        spoken->value = WideText();
    return spoken;
}

HBRUSH StateLabel::Colour(HDC dc) const
{
    // A state is shown as a field shows its text.
    if (HighContrast()) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
    ::SetTextColor(dc, kInk);
    ::SetBkColor(dc, kCream);
    return cream_.get();
}

} // namespace vorsa::win32
