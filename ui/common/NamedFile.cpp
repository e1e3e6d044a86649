#include "NamedFile.h"

#include "CodePage.h"

namespace vorsa::ui
{

std::string DroppedName(std::string_view name)
{
    std::size_t end = 0;
    while (end < name.size()) {
        const std::size_t next = end + text::CharBytes(name, end);
        if (next > kDroppedNameBytes)
            break;
        end = next;
    }
    return std::string(name.substr(0, end));
}

LoadResult LoadNamedFile(WindowState &window, const std::string &name)
{
    return LoadDroppedFile(window, name);
}

} // namespace vorsa::ui
