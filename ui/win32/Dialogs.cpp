#include "Dialogs.h"

#include "BoxText.h"
#include "WinHandles.h"
#include "WindowFace.h"
#include "platform/SystemText.h"

#include <commdlg.h>

#include <algorithm>

#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace vorsa::win32
{

namespace
{

// Long enough for any path (the long-path limit).
constexpr DWORD kOpenNameBytes = 32768;

MessageHook &CurrentMessageHook()
{
    static MessageHook hook;
    return hook;
}

OpenFileHook &CurrentOpenFileHook()
{
    static OpenFileHook hook;
    return hook;
}

// The executable's own path, as the caption rule wants it: argv[0] is
// whatever the starting program wrote (under wine, a Unix path whose "/"
// Windows does not take for a delimiter).
std::string ProgramPath()
{
    std::string path(kOpenNameBytes, '\0');
    const DWORD got = ::GetModuleFileNameA(nullptr, path.data(), kOpenNameBytes);
    path.resize(got);
    return path;
}

// Fits a message box as it is shown (FitBox): the box sizes itself to its
// text in the system's font alone, and its caption may be cut short.
LRESULT CALLBACK FitWhenShown(int code, WPARAM wParam, LPARAM lParam);

HHOOK &BoxHook()
{
    static HHOOK hook = nullptr;
    return hook;
}

// The font of the boxes' text, which lives as long as the box on screen.
UniqueFont &BoxFont()
{
    static UniqueFont font;
    return font;
}

SIZE TextExtent(HWND window, HFONT font, const std::wstring &text, int wrapWidth)
{
    RECT bounds{0, 0, wrapWidth, 0};
    HDC dc = ::GetDC(window);
    HGDIOBJ previous = ::SelectObject(dc, font);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
                DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : 0));
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return {bounds.right - bounds.left, bounds.bottom - bounds.top};
}

std::wstring WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

// The box's text in the window's face, which holds Latin and Japanese
// whatever the system's locale (the system's message font may hold Latin
// alone); the box grown to that text and to its caption, its button kept in
// the middle, the box centred on the screen again.
void FitBox(HWND box)
{
    const UINT dpi = ::GetDpiForWindow(box);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    ::GetMonitorInfoW(::MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &screen);
    const RECT &area = screen.rcWork;
    RECT frame{};
    ::GetWindowRect(box, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    SIZE textGrowth{};
    LOGFONTW face = WindowFace();
    face.lfHeight = metrics.lfMessageFont.lfHeight;
    BoxFont().reset(::CreateFontIndirectW(&face));
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        ::GetClassNameW(child, className, 16);
        const auto style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if (std::wstring_view(className) != L"Static" || (style & SS_TYPEMASK) == SS_ICON)
            continue;
        ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(BoxFont().get()), TRUE);
        RECT shown{};
        ::GetWindowRect(child, &shown);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT *>(&shown), 2);
        const std::wstring text = WindowText(child);
        // One line where the screen has room for it, else lines of three
        // quarters of the screen.
        const int widest = (area.right - area.left) * 3 / 4;
        SIZE needed = TextExtent(child, BoxFont().get(), text, 0);
        if (needed.cx > widest)
            needed = TextExtent(child, BoxFont().get(), text, widest);
        textGrowth = {std::max<LONG>(0, needed.cx - (shown.right - shown.left)),
                      std::max<LONG>(0, needed.cy - (shown.bottom - shown.top))};
        ::SetWindowPos(child, nullptr, 0, 0, shown.right - shown.left + textGrowth.cx,
                       shown.bottom - shown.top + textGrowth.cy,
                       SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }

    HFONT captionFont = ::CreateFontIndirectW(&metrics.lfCaptionFont);
    const SIZE caption = TextExtent(box, captionFont, WindowText(box), 0);
    ::DeleteObject(captionFont);
    // The caption beside the window menu's icon and the close button, with room to spare.
    const int forCaption = caption.cx + 3 * metrics.iCaptionWidth +
                           2 * ::GetSystemMetricsForDpi(SM_CXFIXEDFRAME, dpi) +
                           ::MulDiv(24, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    const int newWidth = std::max(forCaption, width + static_cast<int>(textGrowth.cx));
    const int newHeight = height + static_cast<int>(textGrowth.cy);
    if (newWidth == width && newHeight == height)
        return;
    const int grow = newWidth - width;
    ::SetWindowPos(box, nullptr, area.left + (area.right - area.left - newWidth) / 2,
                   area.top + (area.bottom - area.top - newHeight) / 2, newWidth, newHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The OK button stays in the middle, below the text.
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        ::GetClassNameW(child, className, 16);
        if (std::wstring_view(className) != L"Button")
            continue;
        RECT button{};
        ::GetWindowRect(child, &button);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT *>(&button), 2);
        ::SetWindowPos(child, nullptr, button.left + grow / 2, button.top + textGrowth.cy, 0, 0,
                       SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

LRESULT CALLBACK FitWhenShown(int code, WPARAM wParam, LPARAM lParam)
{
    // Once the box has laid itself out (WM_INITDIALOG), before it is drawn.
    const auto &sent = *reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && sent.message == WM_INITDIALOG) {
        ::UnhookWindowsHookEx(std::exchange(BoxHook(), nullptr));
        FitBox(sent.hwnd);
        return 0;
    }
    return ::CallNextHookEx(BoxHook(), code, wParam, lParam);
}

void RunMessageBox(const std::string &text, bool error)
{
    const std::string caption = ui::BoxCaption(ProgramPath());
    if (const MessageHook &hook = CurrentMessageHook()) {
        hook(caption, text, error);
        return;
    }
    // No owner: the box is placed in the middle of the screen, and
    // MB_TASKMODAL keeps every window of the program waiting until it is
    // closed. The W call, because the text may hold "␀", which no ANSI code
    // page but UTF-8 has.
    // The window the user was in gets the keyboard back when the box closes.
    HWND active = ::GetActiveWindow();
    BoxHook() =
        ::SetWindowsHookExW(WH_CALLWNDPROCRET, FitWhenShown, nullptr, ::GetCurrentThreadId());
    ::MessageBoxW(nullptr, platform::ToUtf16(text, CP_UTF8).c_str(),
                  platform::ToUtf16(caption, CP_UTF8).c_str(),
                  MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | (error ? MB_ICONERROR : 0));
    if (HHOOK left = std::exchange(BoxHook(), nullptr))
        ::UnhookWindowsHookEx(left);
    if (active && ::IsWindow(active))
        ::SetForegroundWindow(active);
}

} // namespace

void SetMessageHook(MessageHook hook)
{
    CurrentMessageHook() = std::move(hook);
}

void SetOpenFileHook(OpenFileHook hook)
{
    CurrentOpenFileHook() = std::move(hook);
}

void ShowMessageBox(const std::string &text)
{
    RunMessageBox(text, false);
}

void ShowErrorBox(const std::exception &error)
{
    RunMessageBox(ui::ErrorBoxText(error), true);
}

std::optional<std::string> ChooseOpenFile(HWND owner, const std::string &filter,
                                          const std::string &initialName)
{
    if (const OpenFileHook &hook = CurrentOpenFileHook())
        return hook(filter, initialName);

    std::vector<char> name(kOpenNameBytes, '\0');
    initialName.copy(name.data(), name.size() - 1);
    // The filter's pairs, and the NUL that ends the list.
    const std::string filters = filter + '\0';
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = kOpenNameBytes;
    // No OFN_FILEMUSTEXIST or OFN_PATHMUSTEXIST: the named file need not
    // exist. OFN_NOCHANGEDIR: the process's folder is the folder list's,
    // which only the user's folder change moves.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameA(&dialog))
        return std::nullopt;
    return std::string(name.data());
}

} // namespace vorsa::win32
