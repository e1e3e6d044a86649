#include "OpenDescriptors.h"

#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>
#else
#include <filesystem>
#include <iterator>
#endif

namespace vorsa::testing
{

#ifdef _WIN32
namespace
{

// SystemHandleInformation: every handle of every process, each with the id
// of the process that holds it.
constexpr ULONG kSystemHandleInformation = 16;
constexpr NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

struct HandleEntry {
    ULONG processId;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};

struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};

using QuerySystemInformation = NTSTATUS(NTAPI *)(ULONG, PVOID, ULONG, PULONG);

} // namespace

std::size_t OpenDescriptorCount()
{
    // Wine answers GetProcessHandleCount with 0; the system's handle table
    // is the count it keeps.
    static const auto query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    // Handles opened for good on first use, made here before any count is
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
    std::vector<char> buffer(std::size_t{1} << 20);
    NTSTATUS status = 0;
    ULONG needed = 0;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), &needed)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        throw std::runtime_error("NtQuerySystemInformation failed");
    const auto *table = reinterpret_cast<const HandleTable *>(buffer.data());
    const DWORD self = GetCurrentProcessId();
    std::size_t count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        if (table->entries[i].processId == self)
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
