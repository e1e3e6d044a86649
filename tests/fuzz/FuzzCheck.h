// What every fuzz target shares: a hard stop when a property fails, a
// scratch folder of the process's own, and the count of open descriptors.
#pragma once

#include <string>

namespace vorsa::fuzz
{

// Prints what failed and traps, so that libFuzzer and the corpus replay both
// keep the input and report it as a crash.
[[noreturn]] void Fail(const char *what, const char *file, int line);

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ::vorsa::fuzz::Fail(#condition, __FILE__, __LINE__);                                   \
    } while (false)

// A folder for this process alone, on /dev/shm when there is one (else
// TMPDIR or /tmp), emptied by Clear() and removed when the process exits.
const std::string &ScratchFolder();
void ClearScratchFolder();

} // namespace vorsa::fuzz
