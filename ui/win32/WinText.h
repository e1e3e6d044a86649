// The window's two kinds of text. The state texts (paths, prefix, status)
// are the core's 8-bit text in the process's code page: set through the A
// functions as they are, and read back through the W functions, converted
// from that code page once, which gives them whole. The program's own texts
// (headings, hints, the button's caption, the boxes) are UTF-8 in the source
// and go through the W functions, so that no code page stands between them
// and the screen.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vorsa::win32
{

std::wstring Widen(std::string_view utf8);

// A control's text as the state holds it, and back.
std::string NarrowText(HWND control);
void SetNarrowText(HWND control, const std::string &text);

// One of the program's own texts on a control.
void SetProgramText(HWND control, std::string_view utf8);

} // namespace vorsa::win32
