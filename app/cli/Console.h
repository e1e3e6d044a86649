// Standard output and error as vorsa-cli writes them: UTF-8 into files and
// pipes, the characters themselves into a Windows console; and on Windows
// the arguments as it reads them. One implementation per system.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

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

#ifdef _WIN32
// The arguments that wmain is given, in the process's code page. Where that
// is not UTF-8 (a Windows older than 1903), a character it lacks becomes
// "?", which no file name holds, instead of the system's look-alike.
std::vector<std::string> NarrowArguments(int argc, wchar_t **argv);
#endif

} // namespace vorsa::cli
