// Character-aware text operations on 8-bit strings. Lengths and substring
// searches elsewhere count bytes; everything here counts characters, so a
// double-byte character is one character and its trailing byte is never
// taken for "\" or "." on its own. Positions are 1-based, as in the readers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorsa::text
{

enum class CodePage {
    Utf8,     // Linux, and Windows' 65001; an invalid byte counts as one character
    ShiftJis, // code page 932; lead bytes 0x81-0x9F and 0xE0-0xFC start a pair
    // Any other Windows ANSI code page: one byte a character, or two where
    // the system calls the first a lead byte (936, 949, 950).
    SystemAnsi,
};

// Path delimiters, looked for by character.
inline constexpr std::string_view kPosixDelimiters = "/";
inline constexpr std::string_view kWindowsDelimiters = "\\:";

// The process's narrow code page and path delimiters, as the system gives
// them: UTF-8 and "/" on Linux; on Windows the ANSI code page, "\" and ":".
// Tests switch them with ScopedTextPlatform.
CodePage NarrowCodePage();
std::string_view PathDelimiters();

class ScopedTextPlatform
{
public:
    ScopedTextPlatform(CodePage codePage, std::string_view delimiters);
    ~ScopedTextPlatform();
    ScopedTextPlatform(const ScopedTextPlatform &) = delete;
    ScopedTextPlatform &operator=(const ScopedTextPlatform &) = delete;

private:
    CodePage savedCodePage_;
    std::string_view savedDelimiters_;
};

// Byte length of the character that starts at byte offset `at` (at < s.size()).
std::size_t CharBytes(std::string_view s, std::size_t at, CodePage cp = NarrowCodePage());
// The character that starts at byte offset `at` (at < s.size()).
std::string_view CharAt(std::string_view s, std::size_t at, CodePage cp = NarrowCodePage());

std::size_t CharCount(std::string_view s, CodePage cp = NarrowCodePage());

// First / last n characters; the whole text when it has fewer, empty for n <= 0.
std::string_view FirstChars(std::string_view s, std::ptrdiff_t n, CodePage cp = NarrowCodePage());
std::string_view LastChars(std::string_view s, std::ptrdiff_t n, CodePage cp = NarrowCodePage());

// n characters from character position p (1-based). A p below 1 counts as 1;
// a p past the end or n <= 0 gives an empty text.
std::string_view MidChars(std::string_view s, std::ptrdiff_t p, std::ptrdiff_t n,
                          CodePage cp = NarrowCodePage());

// The last character (empty for an empty text).
std::string_view LastChar(std::string_view s, CodePage cp = NarrowCodePage());

// Character position (1-based) of the first character at or after position
// `from` that equals `what` (one character), 0 when there is none.
std::ptrdiff_t FindChar(std::string_view s, std::string_view what, std::ptrdiff_t from = 1,
                        CodePage cp = NarrowCodePage());

} // namespace vorsa::text
