// The two commands of vorsa-cli, each ending in the program's exit status.
#pragma once

#include "CommandLine.h"

namespace vorsa::cli
{

// Exit statuses besides 0 (done) and kInterruptedStatus (130); the numbers
// of BSD's sysexits.h, which Windows lacks, where they have one.
inline constexpr int kErrorStatus = 1;     // an error the window shows with an error icon
inline constexpr int kRefusedStatus = 2;   // a refused file or a failed precondition
inline constexpr int kUsageStatus = 64;    // EX_USAGE: wrong arguments
inline constexpr int kSoftwareStatus = 70; // EX_SOFTWARE: cannot happen

int RunList(const CommandLine &line);
int RunExtract(const CommandLine &line);

} // namespace vorsa::cli
