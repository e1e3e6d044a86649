#include "Interrupt.h"

#include <csignal>
#include <unistd.h>

namespace vorsa::cli
{

namespace
{

volatile std::sig_atomic_t interrupts = 0;

// Async-signal-safe: a counter, write(2) and _exit(2) only.
extern "C" void OnInterrupt(int)
{
    if (interrupts != 0) {
        static const char quitting[] = "\nvorsa-cli: interrupted\n";
        (void)!write(STDERR_FILENO, quitting, sizeof quitting - 1);
        _exit(kInterruptedStatus);
    }
    interrupts = 1;
    static const char stopping[] =
        "\nvorsa-cli: stopping before the next track (Ctrl-C again to quit at once)\n";
    (void)!write(STDERR_FILENO, stopping, sizeof stopping - 1);
}

} // namespace

void InstallInterruptHandler()
{
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
