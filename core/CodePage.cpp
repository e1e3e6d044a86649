#include "CodePage.h"

#include "platform/SystemText.h"

namespace vorsa::text
{

namespace
{

CodePage SystemCodePage()
{
    switch (platform::NarrowCodePageNumber()) {
    case platform::kUtf8CodePage:
        return CodePage::Utf8;
    case platform::kShiftJisCodePage:
        return CodePage::ShiftJis;
    default:
        return CodePage::SystemAnsi;
    }
}

// The process has one window thread; tests swap these through ScopedTextPlatform.
CodePage gCodePage = SystemCodePage();
std::string_view gDelimiters = platform::PathDelimiters();

bool InRange(unsigned char byte, unsigned char low, unsigned char high)
{
    return byte >= low && byte <= high;
}

bool IsContinuation(unsigned char byte)
{
    return InRange(byte, 0x80, 0xBF);
}

// Length of the well-formed UTF-8 sequence at `at`, or 1 when the bytes there
// do not begin one (stray continuation, overlong form, surrogate, beyond
// U+10FFFF, or a sequence cut short by the end of the text).
std::size_t Utf8CharBytes(std::string_view s, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(s[at]);
    std::size_t length = 1;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead < 0x80)
        return 1;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
    } else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
        if (lead == 0xE0)
            secondLow = 0xA0; // overlong below U+0800
        else if (lead == 0xED)
            secondHigh = 0x9F; // surrogates
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
        if (lead == 0xF0)
            secondLow = 0x90; // overlong below U+10000
        else if (lead == 0xF4)
            secondHigh = 0x8F; // beyond U+10FFFF
    } else {
        return 1;
    }
    if (s.size() - at < length)
        return 1;
    if (!InRange(static_cast<unsigned char>(s[at + 1]), secondLow, secondHigh))
        return 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(s[at + i])))
            return 1;
    }
    return length;
}

bool IsShiftJisLead(unsigned char byte)
{
    return InRange(byte, 0x81, 0x9F) || InRange(byte, 0xE0, 0xFC);
}

// Byte offset where character `count` (counted from 0) begins, or s.size()
// when the text has no more characters than that.
std::size_t SkipChars(std::string_view s, std::size_t count, CodePage cp)
{
    std::size_t at = 0;
    for (; count > 0 && at < s.size(); --count)
        at += CharBytes(s, at, cp);
    return at;
}

} // namespace

CodePage NarrowCodePage()
{
    return gCodePage;
}

std::string_view PathDelimiters()
{
    return gDelimiters;
}

ScopedTextPlatform::ScopedTextPlatform(CodePage codePage, std::string_view delimiters)
    : savedCodePage_(gCodePage), savedDelimiters_(gDelimiters)
{
    gCodePage = codePage;
    gDelimiters = delimiters;
}

ScopedTextPlatform::~ScopedTextPlatform()
{
    gCodePage = savedCodePage_;
    gDelimiters = savedDelimiters_;
}

std::size_t CharBytes(std::string_view s, std::size_t at, CodePage cp)
{
    const auto byte = static_cast<unsigned char>(s[at]);
    switch (cp) {
    case CodePage::ShiftJis:
        return IsShiftJisLead(byte) && at + 1 < s.size() ? 2 : 1;
    case CodePage::SystemAnsi:
        return platform::IsLeadByte(byte) && at + 1 < s.size() ? 2 : 1;
    case CodePage::Utf8:
        break;
    }
    return Utf8CharBytes(s, at);
}

std::string_view CharAt(std::string_view s, std::size_t at, CodePage cp)
{
    return s.substr(at, CharBytes(s, at, cp));
}

std::size_t CharCount(std::string_view s, CodePage cp)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < s.size(); at += CharBytes(s, at, cp))
        ++count;
    return count;
}

std::string_view FirstChars(std::string_view s, std::ptrdiff_t n, CodePage cp)
{
    if (n <= 0)
        return {};
    return s.substr(0, SkipChars(s, static_cast<std::size_t>(n), cp));
}

std::string_view LastChars(std::string_view s, std::ptrdiff_t n, CodePage cp)
{
    if (n <= 0)
        return {};
    // A double-byte lead can only be told from a trailing byte by reading
    // from the start, so count first and then skip what is not wanted.
    const std::size_t count = CharCount(s, cp);
    const auto wanted = static_cast<std::size_t>(n);
    if (wanted >= count)
        return s;
    return s.substr(SkipChars(s, count - wanted, cp));
}

std::string_view MidChars(std::string_view s, std::ptrdiff_t p, std::ptrdiff_t n, CodePage cp)
{
    if (n <= 0)
        return {};
    const std::size_t from = p < 1 ? 0 : static_cast<std::size_t>(p - 1);
    const std::size_t begin = SkipChars(s, from, cp);
    const std::size_t length = SkipChars(s.substr(begin), static_cast<std::size_t>(n), cp);
    return s.substr(begin, length);
}

std::string_view LastChar(std::string_view s, CodePage cp)
{
    std::string_view last;
    for (std::size_t at = 0; at < s.size(); at += last.size())
        last = CharAt(s, at, cp);
    return last;
}

std::ptrdiff_t FindChar(std::string_view s, std::string_view what, std::ptrdiff_t from, CodePage cp)
{
    std::ptrdiff_t position = 1;
    for (std::size_t at = 0; at < s.size(); ++position) {
        const std::string_view character = CharAt(s, at, cp);
        if (position >= from && character == what)
            return position;
        at += character.size();
    }
    return 0;
}

} // namespace vorsa::text
