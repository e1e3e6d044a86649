#include "Folders.h"

#include "CodePage.h"
#include "Errors.h"
#include "platform/FileHandle.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

namespace vorsa::win32
{

namespace
{

constexpr std::string_view kDelimiter = "\\";

// Byte offset of each "\" of `path`, found by character: in code page 932
// the second byte of a character such as 表 has the code of "\".
std::vector<std::size_t> DelimiterOffsets(std::string_view path)
{
    std::vector<std::size_t> offsets;
    for (std::size_t at = 0; at < path.size();) {
        const std::size_t length = text::CharBytes(path, at);
        if (path.substr(at, length) == kDelimiter)
            offsets.push_back(at);
        at += length;
    }
    return offsets;
}

// Bytes of the root at the start of `path`: "C:\", or "\\server\share\".
std::size_t RootBytes(const std::string &path, const std::vector<std::size_t> &delimiters)
{
    if (path.size() >= 2 && path[1] == ':')
        return std::min<std::size_t>(3, path.size());
    if (path.rfind("\\\\", 0) == 0 && delimiters.size() >= 4)
        return delimiters[3] + 1;
    return delimiters.empty() ? path.size() : delimiters.front() + 1;
}

std::vector<std::string> SortedSubfolders(const std::string &folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const std::string pattern = text::WithTrailingDelimiter(folder) + "*";
    HANDLE search = ::FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found,
                                       FindExSearchLimitToDirectories, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string_view name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            names.emplace_back(name);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    // As Explorer sorts them: by the user's locale, case aside.
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        return ::lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

} // namespace

FolderList FolderEntries(const std::string &folder)
{
    const std::vector<std::size_t> delimiters = DelimiterOffsets(folder);
    const std::size_t rootBytes = RootBytes(folder, delimiters);
    FolderList list;
    list.entries.push_back({folder.substr(0, rootBytes), folder.substr(0, rootBytes), 0});
    int level = 0;
    for (std::size_t start = rootBytes; start < folder.size();) {
        const auto next = std::find_if(delimiters.begin(), delimiters.end(),
                                       [start](std::size_t at) { return at >= start; });
        const std::size_t end = next == delimiters.end() ? folder.size() : *next;
        if (end > start)
            list.entries.push_back(
                {folder.substr(start, end - start), folder.substr(0, end), ++level});
        start = end + 1;
    }
    list.current = list.entries.size() - 1;
    ++level;
    for (const std::string &name : SortedSubfolders(folder))
        list.entries.push_back({name, text::WithTrailingDelimiter(folder) + name, level});
    return list;
}

std::string CurrentFolder()
{
    const DWORD bytes = ::GetCurrentDirectoryA(0, nullptr);
    std::string folder(bytes, '\0');
    const DWORD got = ::GetCurrentDirectoryA(bytes, folder.data());
    folder.resize(got);
    return folder;
}

std::string EnterFolder(const std::string &folder)
{
    if (!::SetCurrentDirectoryA(folder.c_str()))
        throw EInOutError(platform::InOutCode(static_cast<int>(::GetLastError())));
    return CurrentFolder();
}

std::vector<std::string> DriveNames()
{
    std::vector<std::string> drives;
    const DWORD present = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter) {
        if (present & (DWORD{1} << letter))
            drives.push_back(std::string(1, static_cast<char>('A' + letter)) + ":");
    }
    return drives;
}

std::string DriveOf(const std::string &path)
{
    if (path.size() < 2 || path[1] != ':')
        return {};
    char letter = path[0];
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    return std::string(1, letter) + ":";
}

std::string SystemCurrentFolderOf(const std::string &drive)
{
    std::string full(MAX_PATH, '\0');
    const DWORD got = ::GetFullPathNameA(drive.c_str(), MAX_PATH, full.data(), nullptr);
    if (got == 0 || got >= MAX_PATH)
        return drive + "\\";
    full.resize(got);
    return full;
}

} // namespace vorsa::win32
