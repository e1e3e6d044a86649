// Entering a folder, as the folder list does when one is opened: the
// system's refusal becomes the input/output error the user is shown.
#pragma once

#include <string>

namespace vorsa
{

// Makes `folder` the process's current folder. A folder that cannot be
// entered raises EInOutError with the system's code, and nothing changes.
void EnterFolder(const std::string &folder);

} // namespace vorsa
