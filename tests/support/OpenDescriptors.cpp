#include "OpenDescriptors.h"

#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#else
#include <filesystem>
#include <iterator>
#endif

namespace vorsa::testing
{

#ifdef _WIN32
namespace
{

// Handle values are multiples of four, handed out from the lowest free slot.
// A test process holds a few dozen; the probe covers two thousand.
constexpr std::uintptr_t kHandleStep = 4;
constexpr std::uintptr_t kLastProbedHandle = 0x1FFC;

bool HandleExists(std::uintptr_t value)
{
    DWORD flags = 0;
    return GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0;
}

} // namespace

std::size_t OpenDescriptorCount()
{
    // Wine answers GetProcessHandleCount with 0, and a listing of the whole
    // system's handles (NtQuerySystemInformation) crashes wine's server when
    // another process starts or ends meanwhile. Asking about each of our own
    // handle values stays inside the process.
    //
    // Handles opened for good on first use are made here before any count is
    // taken: two of the runtime's at the process's first exception, and
    // GoogleTest's own of the thread that first keeps a trace.
    static const bool runtimeReady = [] {
        try {
            throw std::runtime_error("first");
        } catch (const std::runtime_error &) {
        }
        SCOPED_TRACE("handles of the runtime");
        return true;
    }();
    (void)runtimeReady;
    std::size_t count = 0;
    for (std::uintptr_t value = kHandleStep; value <= kLastProbedHandle; value += kHandleStep)
        if (HandleExists(value))
            ++count;
    // A handle in the last slot means the table may reach past the probe.
    if (HandleExists(kLastProbedHandle))
        throw std::runtime_error("more handles open than OpenDescriptorCount probes");
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
