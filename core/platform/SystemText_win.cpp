// Windows: the narrow text is the process's ANSI code page: UTF-8, which the
// programs' manifests ask for, on Windows 10 1903 and later; the system's own
// (932 on Japanese Windows) before. Paths use "\" and drive letters.
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

std::wstring ToUtf16(std::string_view text, unsigned codePage, unsigned long flags)
{
    if (text.empty())
        return {};
    const int bytes = static_cast<int>(text.size());
    const int wide = ::MultiByteToWideChar(codePage, flags, text.data(), bytes, nullptr, 0);
    if (wide <= 0)
        return {};
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    ::MultiByteToWideChar(codePage, flags, text.data(), bytes, utf16.data(), wide);
    return utf16;
}

std::string FromUtf16(std::wstring_view text, unsigned codePage, unsigned long flags)
{
    if (text.empty())
        return {};
    const int wide = static_cast<int>(text.size());
    const int bytes =
        ::WideCharToMultiByte(codePage, flags, text.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    ::WideCharToMultiByte(codePage, flags, text.data(), wide, narrow.data(), bytes, nullptr,
                          nullptr);
    return narrow;
}

namespace
{

std::string Convert(std::string_view text, UINT from, UINT to)
{
    if (from == to)
        return std::string(text);
    return FromUtf16(ToUtf16(text, from), to);
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
