#include "WinText.h"

#include "platform/SystemText.h"

namespace vorsa::win32
{

std::string NarrowText(HWND control)
{
    const int length = ::GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = ::GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

void SetNarrowText(HWND control, const std::string &text)
{
    ::SetWindowTextA(control, text.c_str());
}

void SetProgramText(HWND control, std::string_view utf8)
{
    ::SetWindowTextW(control, platform::ToUtf16(utf8, CP_UTF8).c_str());
}

} // namespace vorsa::win32
