#include "FolderRule.h"

namespace vorsa::ui
{

bool ShownInFolderList(const FolderFacts &entry)
{
    return entry.folder && !entry.hidden && !entry.system && entry.name != "." &&
           entry.name != ".." && !entry.name.empty();
}

} // namespace vorsa::ui
