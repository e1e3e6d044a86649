#include "OpenDescriptors.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#else
#include <filesystem>
#include <iterator>
#endif

namespace vorsa::testing
{

#ifdef _WIN32
std::size_t OpenDescriptorCount()
{
    // Wine answers GetProcessHandleCount with 0, so the handle table is
    // probed. Handles take the lowest free slot, so a test's few stay far
    // below this bound.
    constexpr std::uintptr_t kHandleBound = std::uintptr_t{1} << 14;
    std::size_t count = 0;
    DWORD flags = 0;
    for (std::uintptr_t value = 4; value < kHandleBound; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    return count;
}
#else
std::size_t OpenDescriptorCount()
{
    // The listing's own descriptor is counted every time, so it cancels out
    // between two counts.
    const std::filesystem::directory_iterator entries("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}
#endif

} // namespace vorsa::testing
