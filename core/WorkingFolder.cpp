#include "WorkingFolder.h"

#include "Errors.h"
#include "platform/CurrentFolder.h"

namespace vorsa
{

void EnterFolder(const std::string &folder)
{
    if (const int failure = platform::EnterFolder(folder); failure != 0)
        throw EInOutError(InOutCode(failure, folder));
}

} // namespace vorsa
