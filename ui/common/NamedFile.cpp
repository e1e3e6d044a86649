#include "NamedFile.h"

namespace vorsa::ui
{

LoadResult LoadNamedFile(WindowState &window, const std::string &name)
{
    return LoadDroppedFile(window, name);
}

} // namespace vorsa::ui
