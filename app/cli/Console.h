// Standard output and error as vorsa-cli writes them: the program's 8-bit
// text, in the code page of the process. One implementation per system.
#pragma once

#include <cstdio>
#include <string_view>

namespace vorsa::cli
{

// True when `stream` is a terminal (a console window on Windows), where a
// progress line is redrawn in place.
bool IsTerminal(std::FILE *stream);

// Writes `text` whole. Into a file or a pipe the bytes go as they are, in the
// process's code page; a Windows console is given the same characters
// whatever code page the console itself is set to.
void WriteText(std::FILE *stream, std::string_view text);

} // namespace vorsa::cli
