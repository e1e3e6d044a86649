#include "Interrupt.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>

namespace vorsa::cli
{

namespace
{

// The handler runs on a thread of its own that the system starts; the run
// reads the flag between its steps.
std::atomic<bool> interrupted{false};
bool consoleIsTerminal = false;

constexpr char kStopping[] =
    "\nvorsa-cli: stopping before the next track (Ctrl-C again to quit at once)\n";
constexpr char kQuitting[] = "\nvorsa-cli: interrupted\n";

void WriteNote(const char *note)
{
    // On a console a note first ends the progress line that is being
    // redrawn; elsewhere it skips that line end, which would leave an empty line.
    const char *text = consoleIsTerminal ? note : note + 1;
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(std::strlen(text)),
                &written, nullptr);
}

BOOL WINAPI OnControl(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE; // closing the console or logging off: the system's own way
    if (interrupted.exchange(true)) {
        WriteNote(kQuitting);
        // Not ExitProcess: it ends the main thread wherever it is, then has
        // the C runtime close its streams, whose locks the main thread may
        // have held, inside a write to a full pipe say: the program would
        // hang instead of quitting.
        ::TerminateProcess(::GetCurrentProcess(), kInterruptedStatus);
    }
    WriteNote(kStopping);
    return TRUE;
}

} // namespace

void InstallInterruptHandler(bool terminal)
{
    consoleIsTerminal = terminal;
    // A process started in a process group of its own (CREATE_NEW_PROCESS_GROUP:
    // `start /b`, job runners, CI agents), or by one that ignores Ctrl-C,
    // begins with Ctrl-C ignored, and the system then calls no handler for
    // it. Turned back on, so that Ctrl-C stops the run there too.
    ::SetConsoleCtrlHandler(nullptr, FALSE);
    ::SetConsoleCtrlHandler(OnControl, TRUE);
}

bool InterruptReceived()
{
    return interrupted.load();
}

} // namespace vorsa::cli
