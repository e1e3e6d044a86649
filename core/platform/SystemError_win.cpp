// GetLastError() codes, sorted into the causes the user is told apart.
#include "SystemError.h"

#include <windows.h>

namespace vorsa::platform
{

SystemError Describe(int error, std::string_view)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return {Cause::FileNotFound};
    case ERROR_PATH_NOT_FOUND:
    // "|", "?" or a NUL in a name, or bytes of no character: an invalid file
    // name; so is a path longer than the system takes, as a name too long is
    // on Linux.
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return {Cause::PathNotFound};
    case ERROR_TOO_MANY_OPEN_FILES:
        return {Cause::TooManyOpenFiles};
    case ERROR_ACCESS_DENIED:
        return {Cause::AccessDenied};
    case ERROR_HANDLE_EOF:
        return {Cause::ReadPastEnd};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return {Cause::DiskFull};
    default:
        return {Cause::Other, error};
    }
}

int DiskFullError()
{
    return ERROR_DISK_FULL;
}

} // namespace vorsa::platform
