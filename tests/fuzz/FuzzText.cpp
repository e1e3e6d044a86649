// The text functions against simple models of their rules: character cuts
// in both code pages, path extensions, integer conversion, number padding,
// and the splitting of a text file into lines.
//
// Input layout: an 8-byte header, then the text.
//   byte 0     bit 0: Shift-JIS instead of UTF-8; bit 1: Windows delimiters
//   bytes 1-2  two character counts or positions (signed)
//   byte 3     digits for the padding
//   bytes 4-7  a number for the padding (little-endian)
#include "CodePage.h"
#include "Errors.h"
#include "FuzzCheck.h"
#include "NumberText.h"
#include "OpenDescriptors.h"
#include "PathText.h"
#include "TempDir.h"
#include "TextFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace
{

using namespace vorsa;
using namespace vorsa::text;

constexpr std::size_t kHeaderBytes = 8;

// Byte offset of every character start, and the text's size at the end.
std::vector<std::size_t> CharStarts(std::string_view s, CodePage cp)
{
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < s.size();) {
        starts.push_back(at);
        const std::size_t length = CharBytes(s, at, cp);
        FUZZ_CHECK(length >= 1 && length <= (cp == CodePage::ShiftJis ? 2u : 4u));
        FUZZ_CHECK(length <= s.size() - at);
        if (cp == CodePage::ShiftJis)
            FUZZ_CHECK((length == 2) == (at + 1 < s.size() &&
                                         ((static_cast<unsigned char>(s[at]) >= 0x81 &&
                                           static_cast<unsigned char>(s[at]) <= 0x9F) ||
                                          static_cast<unsigned char>(s[at]) >= 0xE0) &&
                                         static_cast<unsigned char>(s[at]) <= 0xFC));
        at += length;
    }
    starts.push_back(s.size());
    return starts;
}

std::ptrdiff_t Clamp(std::ptrdiff_t n, std::ptrdiff_t count)
{
    return std::clamp<std::ptrdiff_t>(n, 0, count);
}

void CheckCuts(std::string_view s, CodePage cp, std::ptrdiff_t n, std::ptrdiff_t p)
{
    const std::vector<std::size_t> starts = CharStarts(s, cp);
    const auto count = static_cast<std::ptrdiff_t>(starts.size() - 1);
    FUZZ_CHECK(CharCount(s, cp) == static_cast<std::size_t>(count));
    const auto at = [&](std::ptrdiff_t character) {
        return starts[static_cast<std::size_t>(Clamp(character, count))];
    };

    for (const std::ptrdiff_t k : {n, count - n, std::ptrdiff_t{0}, count, count + 1}) {
        const std::string_view first = FirstChars(s, k, cp);
        FUZZ_CHECK(first == s.substr(0, at(k)));
        const std::string_view last = LastChars(s, k, cp);
        FUZZ_CHECK(last == s.substr(at(count - Clamp(k, count))));
        // p below 1 counts as 1; m characters from there, within the text.
        const std::ptrdiff_t from = std::max<std::ptrdiff_t>(p, 1) - 1;
        const std::string_view mid = MidChars(s, p, k, cp);
        if (from >= count || k <= 0)
            FUZZ_CHECK(mid.empty());
        else
            FUZZ_CHECK(mid == s.substr(at(from), at(from + k) - at(from)));
    }
    FUZZ_CHECK(LastChar(s, cp) == LastChars(s, 1, cp));

    // Each character of the text, looked for from p: the first match by
    // character at or after p, never a byte inside a double-byte character.
    for (const std::ptrdiff_t c : {n, std::ptrdiff_t{1}, count}) {
        const std::string_view what =
            c >= 1 && c <= count ? s.substr(at(c - 1), at(c) - at(c - 1)) : std::string_view("\\");
        std::ptrdiff_t expected = 0;
        for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(p, 1); i <= count && expected == 0; ++i) {
            if (s.substr(at(i - 1), at(i) - at(i - 1)) == what)
                expected = i;
        }
        FUZZ_CHECK(FindChar(s, what, p, cp) == expected);
    }

    // The extension starts at the last "." that no delimiter follows.
    for (const std::string_view delimiters : {kPosixDelimiters, kWindowsDelimiters}) {
        std::size_t base = s.size();
        for (std::ptrdiff_t i = 0; i < count; ++i) {
            const std::string_view character = s.substr(at(i), at(i + 1) - at(i));
            if (character == ".")
                base = at(i);
            else if (character.size() == 1 && delimiters.find(character) != std::string_view::npos)
                base = s.size();
        }
        const std::string_view ext = LastChars(s, 4, cp);
        FUZZ_CHECK(ReplaceExtension(s, ext, cp, delimiters) ==
                   std::string(s.substr(0, base)) + std::string(ext));
    }
}

// Blanks, a sign, then decimal digits, or hexadecimal ones after $, x, X,
// 0x or 0X, up to the 32-bit range.
bool ModelStrToInt(std::string_view text, std::int32_t &value)
{
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return false;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+')
        ++at;
    int base = 10;
    for (const std::string_view mark : {"0x", "0X", "$", "x", "X"}) {
        if (text.substr(at).starts_with(mark)) {
            base = 16;
            at += mark.size();
            break;
        }
    }
    if (at == text.size())
        return false;
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        const std::string_view digits = base == 10 ? "0123456789" : "0123456789abcdefABCDEF";
        const std::size_t digit = digits.find(c);
        if (digit == std::string_view::npos)
            return false;
        magnitude = magnitude * base + static_cast<std::int64_t>(digit < 16 ? digit : digit - 6);
        if (magnitude > std::int64_t{1} << 31)
            return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX || signedValue < INT32_MIN)
        return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

void CheckNumbers(std::string_view s, std::int32_t number, int digits)
{
    std::int32_t expected = 0;
    const bool valid = ModelStrToInt(s, expected);
    try {
        const std::int32_t value = StrToInt(s);
        FUZZ_CHECK(valid && value == expected);
    } catch (const EConvertError &error) {
        FUZZ_CHECK(!valid);
        if (s.find('\0') == std::string_view::npos)
            FUZZ_CHECK(std::string(error.what()).find(s) != std::string::npos);
    }

    char reference[64];
    std::snprintf(reference, sizeof reference, "%.*d", digits, number);
    const std::string padded = FormatPadded(number, digits);
    // printf writes nothing for a zero of precision 0; the program writes "0".
    FUZZ_CHECK(padded == (number == 0 && digits == 0 ? "0" : reference));
    FUZZ_CHECK(StrToInt(padded) == number);
}

// Lines end at LF, every CR is dropped, byte 26 ends the text, and the last
// line needs no end.
std::vector<std::string> ModelLines(std::string_view content)
{
    content = content.substr(0, content.find('\x1a'));
    std::vector<std::string> lines;
    std::string line;
    for (const char c : content) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!content.empty() && content.back() != '\n')
        lines.push_back(line);
    return lines;
}

void CheckLines(std::string_view content)
{
    const std::string path = fuzz::ScratchFolder() + "/lines.txt";
    testing::WriteWholeFile(path, content);
    const std::size_t descriptorsBefore = testing::OpenDescriptorCount();
    std::vector<std::string> lines;
    {
        TextFile file(path);
        while (!file.Eof())
            lines.push_back(file.ReadLine());
        FUZZ_CHECK(file.ReadLine().empty());
    }
    FUZZ_CHECK(testing::OpenDescriptorCount() == descriptorsBefore);
    FUZZ_CHECK(lines == ModelLines(content));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::uint8_t header[kHeaderBytes] = {};
    std::copy_n(data, std::min(size, kHeaderBytes), header);
    const std::string_view s =
        size > kHeaderBytes ? std::string_view(reinterpret_cast<const char *>(data) + kHeaderBytes,
                                               size - kHeaderBytes)
                            : std::string_view();
    const CodePage cp = (header[0] & 1) != 0 ? CodePage::ShiftJis : CodePage::Utf8;
    const auto n = static_cast<std::int8_t>(header[1]);
    const auto p = static_cast<std::int8_t>(header[2]);
    const int digits = header[3] % 48;
    const auto number = static_cast<std::int32_t>(header[4] | header[5] << 8 | header[6] << 16 |
                                                  static_cast<std::uint32_t>(header[7]) << 24);
    try {
        CheckCuts(s, cp, n, p);
        CheckNumbers(s, number, digits);
        CheckLines(s);
    } catch (const VorsaError &) {
        fuzz::Fail("an error escaped a text function", __FILE__, __LINE__);
    } catch (...) {
        fuzz::Fail("an error of another type escaped", __FILE__, __LINE__);
    }
    return 0;
}
