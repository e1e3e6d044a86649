// The process's current folder, which the folder list enters and relative
// names are read against. One implementation per system.
#pragma once

#include <string>

namespace vorsa::platform
{

// Makes `folder` the current folder. Returns 0, or the system's code of the
// failure (SystemError.h), and nothing changes.
int EnterFolder(const std::string &folder);

} // namespace vorsa::platform
