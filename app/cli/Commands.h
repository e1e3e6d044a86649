// The two commands of vorsa-cli, each ending in the program's exit status.
#pragma once

#include "CommandLine.h"

namespace vorsa::cli
{

// Exit statuses besides 0 (done), EX_USAGE (64) and kInterruptedStatus (130).
inline constexpr int kErrorStatus = 1;   // an error the window shows with an error icon
inline constexpr int kRefusedStatus = 2; // a refused file or a failed precondition

int RunList(const CommandLine &line);
int RunExtract(const CommandLine &line);

} // namespace vorsa::cli
