#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace vorsa::fuzz
{

void Fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::fflush(stderr);
    __builtin_trap();
}

namespace
{

std::string ScratchBase()
{
    if (::access("/dev/shm", W_OK | X_OK) == 0)
        return "/dev/shm";
    const char *tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

void RemoveScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolder(), ignored);
}

} // namespace

const std::string &ScratchFolder()
{
    static const std::string folder = [] {
        std::string pattern = ScratchBase() + "/vorsa-fuzz-XXXXXX";
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr);
        return pattern;
    }();
    static const bool removedAtExit = std::atexit(RemoveScratchFolder) == 0;
    (void)removedAtExit;
    return folder;
}

void ClearScratchFolder()
{
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(ScratchFolder(), error)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(entry.path(), error);
        FUZZ_CHECK(!error);
    }
    FUZZ_CHECK(!error);
}

} // namespace vorsa::fuzz
