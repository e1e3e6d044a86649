// errno values, sorted into the causes the user is told apart.
#include "SystemError.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

namespace vorsa::platform
{

namespace
{

// True when the folder part of `path` exists, so a missing entry is the file itself.
bool FolderExists(std::string_view path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string_view::npos)
        return true; // relative name in the current folder
    const std::string folder(path.substr(0, slash == 0 ? 1 : slash));
    struct stat info {
    };
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

SystemError Describe(int err, std::string_view path)
{
    switch (err) {
    case ENOENT:
        return {path.empty() || FolderExists(path) ? Cause::FileNotFound : Cause::PathNotFound};
    case ENOTDIR:
    case ENAMETOOLONG:
        return {Cause::PathNotFound};
    case EMFILE:
    case ENFILE:
        return {Cause::TooManyOpenFiles};
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EWOULDBLOCK: // a lock held by another program: a sharing violation
        return {Cause::AccessDenied};
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return {Cause::DiskFull};
    case EIO:
        return {Cause::Other, 31}; // the device failed, as Windows' general failure
    default:
        return {Cause::Other, err};
    }
}

int DiskFullError()
{
    return ENOSPC;
}

} // namespace vorsa::platform
