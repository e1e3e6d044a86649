// Ctrl-C for vorsa-cli. The first SIGINT is only counted: the console window
// turns it into a press of the stop button the next time the run lets events
// through, so the run stops at one of its own stop points with no file left
// open. A second SIGINT ends the program at once with status 130.
#pragma once

namespace vorsa::cli
{

// `consoleIsTerminal`: standard error shows a progress line redrawn in place.
void InstallInterruptHandler(bool consoleIsTerminal);
bool InterruptReceived();

// Exit status of a program ended by Ctrl-C, as shells report it (128 + SIGINT).
inline constexpr int kInterruptedStatus = 130;

} // namespace vorsa::cli
