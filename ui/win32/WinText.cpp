#include "WinText.h"

namespace vorsa::win32
{

std::wstring Widen(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int bytes = static_cast<int>(utf8.size());
    const int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), bytes, text.data(), wide);
    return text;
}

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
    ::SetWindowTextW(control, Widen(utf8).c_str());
}

} // namespace vorsa::win32
