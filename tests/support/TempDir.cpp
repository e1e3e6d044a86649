#include "TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace vorsa::testing
{

#ifdef _WIN32
// Windows has no mkdtemp: a random name is tried until one is new.
TempDir::TempDir()
{
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("vorsa-test-" + std::to_string(random()));
        if (std::filesystem::create_directory(path)) {
            path_ = path.string();
            return;
        }
    }
    throw std::runtime_error("no new temporary folder");
}
#else
TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vorsa-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}
#endif

TempDir::~TempDir()
{
    std::error_code ignored;
    // Tests make folders read-only on purpose; give them back before removal.
    // A link is passed over: its target (/dev/full, say) is not the test's.
    for (auto &entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
        if (entry.is_symlink(ignored))
            continue;
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(std::string_view name) const
{
    std::string path = path_ + kPathDelimiter + std::string(name);
    // Tests name files in subfolders with "/"; Windows' own is "\".
    std::replace(path.begin() + static_cast<std::ptrdiff_t>(path_.size()), path.end(), '/',
                 kPathDelimiter);
    return path;
}

std::string TempDir::Write(std::string_view name, std::string_view bytes) const
{
    std::string path = File(name);
    WriteWholeFile(path, bytes);
    return path;
}

std::string TempDir::Read(std::string_view name) const
{
    return ReadWholeFile(File(name));
}

std::string ReadWholeFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    // In one piece: byte by byte costs much in the sanitizers' debug build.
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

void WriteWholeFile(const std::string &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string &path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

} // namespace vorsa::testing
