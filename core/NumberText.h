// Integers to and from text, with the program's own rules: a strict
// text-to-int32 conversion, and precision formatting that keeps a minus
// sign ahead of the zero-padded digits ("%.2d" of -1 is "-01").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorsa
{

// Leading blanks, an optional sign, then decimal digits or hexadecimal digits
// after "$", "x", "X", "0x" or "0X"; the value must fit in 32 signed bits.
// Anything else throws EConvertError carrying the whole text.
std::int32_t StrToInt(std::string_view text);

// printf's "%.<digits>d": at least `digits` digits, zero-padded.
std::string FormatPadded(std::int32_t value, int digits);

} // namespace vorsa
