#include "WinText.h"

#include "platform/SystemText.h"

namespace vorsa::win32
{

std::wstring Widen(std::string_view utf8)
{
    return platform::ToUtf16(utf8, CP_UTF8);
}

std::string NarrowText(HWND control)
{
    // Read as UTF-16, whose length the control knows exactly, and converted
    // once. The A calls' length allows for the double-byte code pages' two
    // bytes a character, not for UTF-8's three of a kanji: a long prefix or
    // folder would come back cut.
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return platform::FromUtf16(text, CP_ACP);
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
