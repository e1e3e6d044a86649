#include "CurrentFolder.h"

#include <cerrno>
#include <unistd.h>

namespace vorsa::platform
{

int EnterFolder(const std::string &folder)
{
    return ::chdir(folder.c_str()) == 0 ? 0 : errno;
}

} // namespace vorsa::platform
