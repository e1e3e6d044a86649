// The folder list over its list box: the folders from the drive's root down
// to the current folder, each a step further in with the shell's open-folder
// icon, then the current folder's subfolders with the closed one. Opening an
// entry (double-click, or Enter) makes that folder current, also for the
// process; selecting one, by click, arrow keys or typing its first letters,
// does nothing.
#pragma once

#include "Control.h"
#include "Folders.h"
#include "WinHandles.h"

#include <string>
#include <vector>

namespace vorsa::win32
{

class DirectoryListBox : public Control
{
public:
    DirectoryListBox() : Control(ROLE_SYSTEM_LIST) {}
    // The list box, a child of `parent` with control id `id`.
    void Create(HWND parent, int id) override;

    // The current folder, a full path.
    const std::string &Directory() const { return directory_; }
    // Shows `folder` without making it current: the start-up state. A
    // folder whose subfolders cannot be listed shows its chain alone.
    void ShowDirectory(const std::string &folder);
    // Makes `folder` current, for the process too. A folder that cannot be
    // entered or listed raises the input/output error, and nothing changes.
    void OpenDirectory(const std::string &folder);

    // The full path of entry `index`; empty past the end.
    std::string EntryPath(int index) const;
    // The selected entry, -1 for none.
    int Selected() const;

    // Item height, indent and icons for `dpi`, text in `font`.
    void SetScale(UINT dpi, HFONT font) override;
    // WM_MEASUREITEM and WM_DRAWITEM for the list.
    void Measure(MEASUREITEMSTRUCT &item) const;
    void Draw(const DRAWITEMSTRUCT &item) const;

private:
    static LRESULT CALLBACK TypeAhead(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    void OnChar(wchar_t typed, DWORD time);
    void Fill(const FolderList &list);

    std::string directory_;
    std::vector<FolderEntry> entries_;
    std::size_t current_ = 0; // the entry of the current folder, the chain's last
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    UniqueIcon closedIcon_;
    UniqueIcon openIcon_;
    std::wstring typed_; // the first letters typed so far
    DWORD typedAt_ = 0;  // when the last of them came, in the message clock's milliseconds
};

} // namespace vorsa::win32
