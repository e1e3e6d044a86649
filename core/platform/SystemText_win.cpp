// Windows: the narrow text is the process's ANSI code page (932 on Japanese
// Windows), paths use "\" and drive letters.
#include "SystemText.h"

#include <windows.h>

namespace vorsa::platform
{

unsigned NarrowCodePageNumber()
{
    static const unsigned codePage = ::GetACP();
    return codePage;
}

bool IsLeadByte(unsigned char byte)
{
    return ::IsDBCSLeadByteEx(NarrowCodePageNumber(), byte) != 0;
}

std::string_view PathDelimiters()
{
    return "\\:";
}

namespace
{

std::string Convert(std::string_view text, UINT from, UINT to)
{
    if (text.empty() || from == to)
        return std::string(text);
    const int inBytes = static_cast<int>(text.size());
    const int wide = ::MultiByteToWideChar(from, 0, text.data(), inBytes, nullptr, 0);
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(from, 0, text.data(), inBytes, utf16.data(), wide);
    const int bytes =
        ::WideCharToMultiByte(to, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(to, 0, utf16.data(), wide, converted.data(), bytes, nullptr, nullptr);
    return converted;
}

} // namespace

std::string FromUtf8(std::string_view utf8)
{
    return Convert(utf8, CP_UTF8, NarrowCodePageNumber());
}

std::string ToUtf8(std::string_view narrow)
{
    return Convert(narrow, NarrowCodePageNumber(), CP_UTF8);
}

} // namespace vorsa::platform
