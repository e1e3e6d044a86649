#include "ProcessStart.h"

#include <windows.h>

namespace vorsa
{

void PrepareProcess()
{
    // Kept with what the system had already set, as its documentation asks.
    const UINT mode = ::GetErrorMode();
    ::SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The window makes the user's folders the current directory, and the
    // common dialogs and the shell load DLLs by name: none may come from
    // there, nor from beside the program. Windows 10 always has the call;
    // should it fail, the program runs with the system's search order.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace vorsa
