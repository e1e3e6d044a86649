#include "ProcessStart.h"

#include <windows.h>

namespace vorsa
{

void PrepareProcess()
{
    // Kept with what the system had already set, as its documentation asks.
    const UINT mode = ::GetErrorMode();
    ::SetErrorMode(mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

} // namespace vorsa
