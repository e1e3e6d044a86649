#include "NumberText.h"

#include "Errors.h"

#include <limits>

namespace vorsa
{

namespace
{

// Value of `c` as a digit of `base` (10 or 16), or -1. Locale-free on purpose:
// a cue sheet's numbers mean the same whatever the user's settings.
int DigitValue(char c, int base)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::int32_t StrToInt(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;

    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }

    int base = 10;
    const std::string_view rest = text.substr(at);
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        base = 16;
        at += 1;
    } else if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        at += 2;
    }

    // The magnitude may reach 2^31 only when the sign makes it INT32_MIN.
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    if (at == text.size())
        throw EConvertError(text);
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const int digit = DigitValue(text[at], base);
        if (digit < 0)
            throw EConvertError(text);
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            throw EConvertError(text);
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::string FormatPadded(std::int32_t value, int digits)
{
    const std::int64_t wide = value;
    std::string magnitude = std::to_string(wide < 0 ? -wide : wide);
    // printf would print nothing at all for a zero with precision 0; a
    // caption or file name always wants at least the one digit.
    std::string text = value < 0 ? "-" : "";
    if (static_cast<std::size_t>(digits > 0 ? digits : 0) > magnitude.size())
        text.append(static_cast<std::size_t>(digits) - magnitude.size(), '0');
    text += magnitude;
    return text;
}

} // namespace vorsa
