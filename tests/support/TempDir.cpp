#include "TempDir.h"

#include "platform/SystemText.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#ifdef _WIN32
#include <windows.h>
#endif

namespace vorsa::testing
{

#ifdef _WIN32
std::filesystem::path SystemPath(const std::string &path)
{
    return platform::ToUtf16(path, CP_ACP);
}

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
std::filesystem::path SystemPath(const std::string &path)
{
    return path;
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vorsa-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}
#endif

#ifdef _WIN32
namespace
{

// std::filesystem lists a folder here through mingw-w64's _wopendir, whose
// buffer holds 260 characters: a tree deeper than that is removed through
// the wide calls themselves. Read-only entries are made writable first.
void RemoveTree(const std::wstring &folder)
{
    WIN32_FIND_DATAW entry;
    const HANDLE found = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &entry,
                                          FindExSearchNameMatch, nullptr, 0);
    if (found != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L'\\' + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                DeleteFileW(path.c_str());
            else if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
                RemoveDirectoryW(path.c_str());
            else
                RemoveTree(path);
        } while (FindNextFileW(found, &entry));
        FindClose(found);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
}

} // namespace

TempDir::~TempDir()
{
    RemoveTree(SystemPath(path_).wstring());
}
#else
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
#endif

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
    std::ifstream in(SystemPath(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    // In one piece: byte by byte costs much in the sanitizers' debug build.
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

void WriteWholeFile(const std::string &path, std::string_view bytes)
{
    std::ofstream out(SystemPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string &path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(SystemPath(path), ignored));
}

} // namespace vorsa::testing
