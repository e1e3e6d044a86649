#include "Folders.h"

#include "CodePage.h"
#include "Errors.h"
#include "FolderRule.h"
#include "PathText.h"
#include "WorkingFolder.h"
#include "platform/SystemText.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

namespace vorsa::win32
{

namespace
{

constexpr std::string_view kDelimiter = "\\";

[[noreturn]] void RaiseLastError()
{
    throw EInOutError(InOutCode(static_cast<int>(::GetLastError())));
}

// A folder search, closed on every path out of its scope.
class FolderSearch
{
public:
    FolderSearch(const std::wstring &pattern, WIN32_FIND_DATAW &found)
        : handle_(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                     FindExSearchLimitToDirectories, nullptr, 0))
    {
    }
    ~FolderSearch()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::FindClose(handle_);
    }
    FolderSearch(const FolderSearch &) = delete;
    FolderSearch &operator=(const FolderSearch &) = delete;

    bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW &found) { return ::FindNextFileW(handle_, &found) != 0; }

private:
    HANDLE handle_;
};

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
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    FolderSearch search(platform::ToUtf16(text::WithTrailingDelimiter(folder) + "*", CP_ACP),
                        found);
    // An empty root has no entry at all; anything else that stops the
    // search is an error of the folder.
    if (!search.Found()) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND)
            return {};
        RaiseLastError();
    }
    do {
        const std::string name = platform::FromUtf16(found.cFileName, CP_ACP);
        const DWORD attributes = found.dwFileAttributes;
        if (ui::ShownInFolderList({.name = name,
                                   .folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                   .hidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                                   .system = (attributes & FILE_ATTRIBUTE_SYSTEM) != 0}))
            names.emplace_back(found.cFileName);
    } while (search.Next(found));
    if (::GetLastError() != ERROR_NO_MORE_FILES)
        RaiseLastError();
    // As Explorer sorts them: by the user's locale, case aside.
    std::sort(names.begin(), names.end(), [](const std::wstring &a, const std::wstring &b) {
        return ::CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE | SORT_DIGITSASNUMBERS,
                                 a.c_str(), -1, b.c_str(), -1, nullptr, nullptr,
                                 0) == CSTR_LESS_THAN;
    });
    std::vector<std::string> narrow;
    narrow.reserve(names.size());
    for (const std::wstring &name : names)
        narrow.push_back(platform::FromUtf16(name, CP_ACP));
    return narrow;
}

} // namespace

FolderList FolderEntries(const std::string &folder, bool subfolders)
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
    if (!subfolders)
        return list;
    ++level;
    for (const std::string &name : SortedSubfolders(folder))
        list.entries.push_back({name, text::WithTrailingDelimiter(folder) + name, level});
    return list;
}

std::string CurrentFolder()
{
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    const DWORD got = ::GetCurrentDirectoryW(length, folder.data());
    folder.resize(got < length ? got : 0);
    return platform::FromUtf16(folder, CP_ACP);
}

std::string EnterFolder(const std::string &folder)
{
    vorsa::EnterFolder(folder);
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
    const std::wstring name = platform::ToUtf16(drive, CP_ACP);
    const DWORD length = ::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return drive + "\\";
    std::wstring full(length, L'\0');
    const DWORD got = ::GetFullPathNameW(name.c_str(), length, full.data(), nullptr);
    if (got == 0 || got >= length)
        return drive + "\\";
    full.resize(got);
    return platform::FromUtf16(full, CP_ACP);
}

} // namespace vorsa::win32
