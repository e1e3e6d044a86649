// What a system's error code (errno on Linux, GetLastError() on Windows)
// stands for: the few causes that the user is told apart, and the number to
// show for any other. One implementation per system (SystemError_linux.cpp,
// SystemError_win.cpp); the core gives each cause its input/output error
// (InOutCode in Errors.h).
#pragma once

#include <string_view>

namespace vorsa::platform
{

enum class Cause {
    FileNotFound,
    PathNotFound, // a folder on the way is missing, or the name is invalid
    TooManyOpenFiles,
    AccessDenied, // a sharing violation included
    ReadPastEnd,
    DiskFull,
    Other,
};

struct SystemError {
    Cause cause = Cause::Other;
    // For Cause::Other, the number the user is shown: the system's own code,
    // or Windows' number for the same failure where Linux has one of its own.
    int number = 0;
};

// `path`, when given, lets the Linux layer tell a missing file from a
// missing folder on its way; Windows tells them apart itself.
SystemError Describe(int systemError, std::string_view path = {});

// The system's code for a disk that is full, and for a read or a write that
// moved nothing without a failure: what a short write is taken as.
int DiskFullError();

} // namespace vorsa::platform
