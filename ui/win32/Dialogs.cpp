#include "Dialogs.h"

#include "BoxText.h"
#include "WinText.h"

#include <commdlg.h>

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

// Widens a message box whose title bar would cut its caption short, keeps
// its button in the middle, and centres it on the screen again. The box
// sizes itself to its text alone.
LRESULT CALLBACK WidenForCaption(int code, WPARAM wParam, LPARAM lParam);

HHOOK &BoxHook()
{
    static HHOOK hook = nullptr;
    return hook;
}

void FitCaption(HWND box)
{
    const UINT dpi = ::GetDpiForWindow(box);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    HFONT captionFont = ::CreateFontIndirectW(&metrics.lfCaptionFont);
    const int length = ::GetWindowTextLengthW(box);
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    ::GetWindowTextW(box, caption.data(), length + 1);
    SIZE text{};
    HDC dc = ::GetDC(box);
    HGDIOBJ previous = ::SelectObject(dc, captionFont);
    ::GetTextExtentPoint32W(dc, caption.c_str(), length, &text);
    ::SelectObject(dc, previous);
    ::ReleaseDC(box, dc);
    ::DeleteObject(captionFont);

    // The caption beside the window menu's icon and the close button, with room to spare.
    const int needed = text.cx + 3 * metrics.iCaptionWidth +
                       2 * ::GetSystemMetricsForDpi(SM_CXFIXEDFRAME, dpi) +
                       ::MulDiv(24, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    RECT frame{};
    ::GetWindowRect(box, &frame);
    const int width = frame.right - frame.left;
    if (needed <= width)
        return;
    const int grow = needed - width;
    HMONITOR monitor = ::MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO screen{};
    screen.cbSize = sizeof screen;
    ::GetMonitorInfoW(monitor, &screen);
    const RECT &area = screen.rcWork;
    const int height = frame.bottom - frame.top;
    ::SetWindowPos(box, nullptr, area.left + (area.right - area.left - needed) / 2,
                   area.top + (area.bottom - area.top - height) / 2, needed, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The OK button stays in the middle; the text keeps its place.
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        ::GetClassNameW(child, className, 16);
        if (std::wstring_view(className) != L"Button")
            continue;
        RECT button{};
        ::GetWindowRect(child, &button);
        ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT *>(&button), 2);
        ::SetWindowPos(child, nullptr, button.left + grow / 2, button.top, 0, 0,
                       SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

LRESULT CALLBACK WidenForCaption(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        ::UnhookWindowsHookEx(std::exchange(BoxHook(), nullptr));
        FitCaption(box);
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
    BoxHook() = ::SetWindowsHookExW(WH_CBT, WidenForCaption, nullptr, ::GetCurrentThreadId());
    ::MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(),
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
