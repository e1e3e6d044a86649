// Which entries of a folder the folder list shows: its subfolders, as a
// file manager shows them by default, without the hidden and the system
// ones. Each window learns the facts from its system; the rule is one.
#pragma once

#include <string_view>

namespace vorsa::ui
{

struct FolderFacts {
    std::string_view name;
    bool folder = false; // a folder, or a link that leads to one
    bool hidden = false; // the system's mark (Windows), or a name starting with "." (Linux)
    bool system = false; // Windows' system mark
};

bool ShownInFolderList(const FolderFacts &entry);

} // namespace vorsa::ui
