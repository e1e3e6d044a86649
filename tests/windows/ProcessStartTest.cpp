// The start-up both Windows programs share: a DLL loaded by name is not
// taken from the current directory, which the window sets to the user's
// folders.
#include "ProcessStart.h"
#include "TempDir.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>

namespace vorsa::testing
{
namespace
{

TEST(ProcessStart, DllNamedWithoutPathIsNotTakenFromCurrentDirectory)
{
    TempDir dir;
    // Not a DLL at all: found, it fails as a bad image rather than as missing.
    dir.Write("vorsa_planted.dll", "not a DLL");
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());

    PrepareProcess();
    const HMODULE planted = ::LoadLibraryW(L"vorsa_planted.dll");
    const DWORD error = ::GetLastError();
    std::filesystem::current_path(saved);

    EXPECT_EQ(planted, nullptr);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

} // namespace
} // namespace vorsa::testing
