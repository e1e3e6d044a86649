// A file handed to the window from outside: named on the command line ("Open
// with" in a file manager) or dropped from the shell.
#pragma once

#include "DiscReaders.h"

#include <string>
#include <string_view>

namespace vorsa::ui
{

// The load of a file named on the command line: the drop's rule of which
// names load.
LoadResult LoadNamedFile(WindowState &window, const std::string &name);

} // namespace vorsa::ui
