// What the system says about the program's 8-bit text: its code page, its
// path delimiters, and the conversion of the program's own texts (written
// in UTF-8) into that code page. One implementation per system.
#pragma once

#include <string>
#include <string_view>

namespace vorsa::platform
{

// Code page numbers as Windows gives them.
inline constexpr unsigned kShiftJisCodePage = 932;
inline constexpr unsigned kUtf8CodePage = 65001;

// The process's narrow code page: GetACP() on Windows, taken once at the
// first call; UTF-8 on Linux.
unsigned NarrowCodePageNumber();
// True when `byte` starts a double-byte character in that code page
// (IsDBCSLeadByteEx); only asked for code pages other than 932 and 65001.
bool IsLeadByte(unsigned char byte);

// Characters that end a folder name in a path: "/" on Linux; "\" and the
// drive's ":" on Windows. The first is the one folders are written to end in.
std::string_view PathDelimiters();

// `utf8` in the narrow code page. Characters it cannot hold become "?".
std::string FromUtf8(std::string_view utf8);
// Narrow text back in UTF-8, for what must be read the same on every code
// page: the console on Windows, and the tests' expectations.
std::string ToUtf8(std::string_view narrow);

#ifdef _WIN32
// Windows' own text, UTF-16, from 8-bit text in `codePage` (65001 for the
// program's own texts, 0 (CP_ACP) for the narrow text) and back. `flags` go
// to MultiByteToWideChar: with MB_ERR_INVALID_CHARS, bytes that spell no
// character of the code page give an empty text instead of a stand-in (a
// path made of stand-ins names another file).
std::wstring ToUtf16(std::string_view text, unsigned codePage, unsigned long flags = 0);
// `flags` go to WideCharToMultiByte: with WC_NO_BEST_FIT_CHARS a character
// that the code page lacks becomes "?" rather than a look-alike (Café would
// become Cafe, the name of another file). UTF-8 lacks none and takes no flags.
std::string FromUtf16(std::wstring_view text, unsigned codePage, unsigned long flags = 0);
#endif

} // namespace vorsa::platform
