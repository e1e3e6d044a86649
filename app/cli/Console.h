// Standard output and error as vorsa-cli writes them: UTF-8 into files and
// pipes, the characters themselves into a Windows console. One
// implementation per system.
#pragma once

#include <cstdio>
#include <string_view>

namespace vorsa::cli
{

// True when `stream` is a terminal (a console window on Windows), where a
// progress line is redrawn in place.
bool IsTerminal(std::FILE *stream);

// Writes `text`, the program's 8-bit text, whole. Into a file or a pipe it
// goes in UTF-8 (on Linux, and on Windows under code page 65001, the bytes
// as they are); a Windows console is given the same characters whatever
// code page the console itself is set to.
void WriteText(std::FILE *stream, std::string_view text);

} // namespace vorsa::cli
