#include "Interrupt.h"

#include <csignal>
#include <cstddef>
#include <unistd.h>

namespace vorsa::cli
{

namespace
{

volatile std::sig_atomic_t interrupts = 0;
// On a terminal a note first ends the progress line that is being redrawn;
// elsewhere it skips that line end, which would leave an empty line.
std::size_t noteStart = 0;

constexpr char kStopping[] =
    "\nvorsa-cli: stopping before the next track (Ctrl-C again to quit at once)\n";
constexpr char kQuitting[] = "\nvorsa-cli: interrupted\n";

template <std::size_t N> void WriteNote(const char (&note)[N])
{
    (void)!write(STDERR_FILENO, note + noteStart, N - 1 - noteStart);
}

// Async-signal-safe: a counter, write(2) and _exit(2) only.
extern "C" void OnInterrupt(int)
{
    if (interrupts != 0) {
        WriteNote(kQuitting);
        _exit(kInterruptedStatus);
    }
    interrupts = 1;
    WriteNote(kStopping);
}

} // namespace

void InstallInterruptHandler(bool consoleIsTerminal)
{
    noteStart = consoleIsTerminal ? 0 : 1;
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep the core's reads and writes whole; the flag is
    // looked at between them anyway.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
}

bool InterruptReceived()
{
    return interrupts != 0;
}

} // namespace vorsa::cli
