// The folders and drives that the drive selector and the folder list show,
// as Windows knows them; paths in the process's code page, handed to the
// system through the wide calls.
#pragma once

#include <string>
#include <vector>

namespace vorsa::win32
{

// One line of the folder list.
struct FolderEntry {
    std::string name; // "C:\" for the drive's root, else the folder's own name
    std::string path; // the full path it stands for
    int level = 0;    // 0 for the root, one more for each step in
};

struct FolderList {
    std::vector<FolderEntry> entries;
    std::size_t current = 0; // the entry of the folder itself
};

// The folders from the drive's root down to `folder`, then `folder`'s
// subfolders that the folder list shows, in sorted order. `folder` is a full
// path ("C:\Music", "C:\"); without `subfolders`, the chain alone. A folder
// that cannot be listed raises the input/output error of the system's code.
FolderList FolderEntries(const std::string &folder, bool subfolders = true);

// Makes `folder` the process's current directory and returns it as the
// system writes it. A folder that cannot be entered raises the
// input/output error of the system's code, and nothing changes.
std::string EnterFolder(const std::string &folder);

// The process's current directory.
std::string CurrentFolder();

// The drive letters that exist, "C:" and so on, in order.
std::vector<std::string> DriveNames();
// The drive of a full path, "C:"; empty for a path without a drive letter.
std::string DriveOf(const std::string &path);
// The folder the system keeps as `drive`'s current one, its root if none.
std::string SystemCurrentFolderOf(const std::string &drive);

} // namespace vorsa::win32
