// What the program's message boxes show, in UTF-8 for the toolkit to draw:
// the core's texts are in the process's code page, and a NUL, which would end
// the text a box draws, shows as "␀", a character that no code page but
// UTF-8 holds.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace vorsa::ui
{

// A foreseen failure's box (WindowState::ShowMessage): its text as it is.
std::string MessageBoxText(std::string_view narrowText);

// The default exception display: the error's whole message with the "."
// rule (messages::DisplayedErrorText).
std::string ErrorBoxText(const std::exception &error);
std::string ErrorBoxText(std::string_view narrowMessage);

// Caption of every box: the application title of the executable as it was
// started (argv[0]), in UTF-8.
std::string BoxCaption(std::string_view executablePath);

} // namespace vorsa::ui
