#include "OpenDescriptors.h"

#include <filesystem>
#include <iterator>

namespace vorsa::testing
{

std::size_t OpenDescriptorCount()
{
    // The listing's own descriptor is counted every time, so it cancels out
    // between two counts.
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

} // namespace vorsa::testing
