// A file handed to the window from outside: named on the command line ("Open
// with" in a file manager) or dropped from the shell.
#pragma once

#include "DiscReaders.h"

#include <string>
#include <string_view>

namespace vorsa::ui
{

// The bytes of a dropped name that the shell hands over: its 261-byte
// buffer, less the terminator.
inline constexpr std::size_t kDroppedNameBytes = 260;

// The longest start of `name` of at most kDroppedNameBytes that ends on a
// character boundary, as a toolkit that hands over the whole name must cut it.
std::string DroppedName(std::string_view name);

// The load of a file named on the command line: the whole name, which no
// shell buffer has cut, then the drop's rule of which names load.
LoadResult LoadNamedFile(WindowState &window, const std::string &name);

} // namespace vorsa::ui
