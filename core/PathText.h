// Paths as 8-bit text: the extension, the file name and the folder's trailing
// delimiter, each found by character (CodePage.h), so that the trailing byte
// of a double-byte character is never taken for a "\" or a ".". The
// delimiters are the system's, text::PathDelimiters().
#pragma once

#include "CodePage.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vorsa::text
{

// Replaces the extension of `path` by `ext`. The extension is the part from
// the last "." after which no delimiter comes; a path without one gets `ext`
// appended.
std::string ReplaceExtension(std::string_view path, std::string_view ext,
                             CodePage cp = NarrowCodePage(),
                             std::string_view delimiters = PathDelimiters());

// Byte offset where the file name of `path` starts: just after its last
// delimiter, found by character (0 when it has none).
std::size_t FileNameStart(std::string_view path, CodePage cp = NarrowCodePage(),
                          std::string_view delimiters = PathDelimiters());

// A folder as the destination folder holds it: ending in the first of the
// path delimiters ("/" on Linux, "\" on Windows). The delimiter is looked
// for by character: D:\表 becomes D:\表\, though in code page 932 the last
// byte of 表 is that of "\". An empty text stays empty, so that it still
// reads as no folder chosen.
std::string WithTrailingDelimiter(std::string_view folder);

} // namespace vorsa::text
