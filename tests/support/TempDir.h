// A temporary folder for a test's real files, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vorsa::testing
{

// The path delimiter the tests put between a folder and its files.
#ifdef _WIN32
inline constexpr char kPathDelimiter = '\\';
#else
inline constexpr char kPathDelimiter = '/';
#endif

class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    // The folder, without a trailing delimiter.
    const std::string &Path() const { return path_; }
    // The folder with one delimiter at its end, as the destination folder holds it.
    std::string Folder() const { return path_ + kPathDelimiter; }
    // `name` may hold subfolders, written with "/" on every system.
    std::string File(std::string_view name) const;

    std::string Write(std::string_view name, std::string_view bytes) const;
    std::string Read(std::string_view name) const;

private:
    std::string path_;
};

// The tests' narrow path as the system spells it: on Windows its UTF-16,
// from the process's code page, so that the wide calls behind a stream or
// std::filesystem reach names in any script and past 260 characters.
std::filesystem::path SystemPath(const std::string &path);

std::string ReadWholeFile(const std::string &path);
void WriteWholeFile(const std::string &path, std::string_view bytes);
bool FileExists(const std::string &path);

} // namespace vorsa::testing
