// The wide call, so that a folder's name is not cut at 260 characters.
#include "CurrentFolder.h"

#include "SystemText.h"

#include <windows.h>

namespace vorsa::platform
{

int EnterFolder(const std::string &folder)
{
    if (!::SetCurrentDirectoryW(ToUtf16(folder, CP_ACP).c_str()))
        return static_cast<int>(::GetLastError());
    return 0;
}

} // namespace vorsa::platform
