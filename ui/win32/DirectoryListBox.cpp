#include "DirectoryListBox.h"

#include "FormDesign.h"
#include "Palette.h"
#include "platform/SystemText.h"

#include <commctrl.h>
#include <shellapi.h>

namespace vorsa::win32
{

namespace
{

constexpr DWORD kStyle = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                         LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
constexpr UINT_PTR kTypeAheadId = 1;

// The shell's folder icon, closed or open, of the shell's size nearest
// above `size` pixels (DrawIconEx fits it to the entry).
HICON FolderIcon(bool open, int size)
{
    const bool small = size <= ::GetSystemMetrics(SM_CXSMICON);
    SHFILEINFOW file{};
    ::SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &file, sizeof file,
                     SHGFI_USEFILEATTRIBUTES | SHGFI_ICON |
                         (small ? SHGFI_SMALLICON : SHGFI_LARGEICON) | (open ? SHGFI_OPENICON : 0));
    return file.hIcon;
}

int Scale(int designPixels, UINT dpi)
{
    return ui::Scaled(designPixels, static_cast<int>(dpi));
}

} // namespace

void DirectoryListBox::Create(HWND parent, int id)
{
    Make(parent, WC_LISTBOXW, kStyle, WS_EX_CLIENTEDGE, id);
    ::SetWindowSubclass(handle_, &DirectoryListBox::TypeAhead, kTypeAheadId,
                        reinterpret_cast<DWORD_PTR>(this));
}

void DirectoryListBox::ShowDirectory(const std::string &folder)
{
    FolderList list;
    try {
        list = FolderEntries(folder);
    } catch (const std::exception &) {
        // Start-up has no one to tell: the chain stands, without subfolders.
        list = FolderEntries(folder, false);
    }
    directory_ = folder;
    Fill(list);
}

void DirectoryListBox::OpenDirectory(const std::string &folder)
{
    const std::string before = CurrentFolder();
    const std::string entered = EnterFolder(folder);
    FolderList list;
    try {
        list = FolderEntries(entered);
    } catch (...) {
        EnterFolder(before);
        throw;
    }
    directory_ = entered;
    Fill(list);
}

void DirectoryListBox::Fill(const FolderList &list)
{
    entries_ = list.entries;
    current_ = list.current;
    typed_.clear();
    ::SendMessageW(handle_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(handle_, LB_RESETCONTENT, 0, 0);
    // Each entry's text is the folder's bare name, which typing its first letters finds.
    for (const FolderEntry &entry : entries_) {
        const std::wstring name = platform::ToUtf16(entry.name, CP_ACP);
        ::SendMessageW(handle_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    ::SendMessageW(handle_, LB_SETCURSEL, list.current, 0);
    ::SendMessageW(handle_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(handle_, nullptr, TRUE);
}

std::string DirectoryListBox::EntryPath(int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= entries_.size())
        return {};
    return entries_[static_cast<std::size_t>(index)].path;
}

int DirectoryListBox::Selected() const
{
    return static_cast<int>(::SendMessageW(handle_, LB_GETCURSEL, 0, 0));
}

void DirectoryListBox::SetScale(UINT dpi, HFONT font)
{
    dpi_ = dpi;
    font_ = font;
    const int iconSize = Scale(ui::kFolderItemHeight, dpi);
    closedIcon_.reset(FolderIcon(false, iconSize));
    openIcon_.reset(FolderIcon(true, iconSize));
    Control::SetScale(dpi, font);
    ::SendMessageW(handle_, LB_SETITEMHEIGHT, 0, Scale(ui::kFolderItemHeight, dpi));
}

void DirectoryListBox::Measure(MEASUREITEMSTRUCT &item) const
{
    item.itemHeight = static_cast<UINT>(Scale(ui::kFolderItemHeight, dpi_));
}

void DirectoryListBox::Draw(const DRAWITEMSTRUCT &item) const
{
    if (item.itemID >= entries_.size())
        return;
    const FolderEntry &entry = entries_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(item.hDC, &item.rcItem,
               ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    // The chain down to the current folder shows open folders, its subfolders closed ones.
    const int iconSize = Scale(ui::kFolderItemHeight, dpi_);
    const int left = item.rcItem.left + Scale(1 + entry.level * ui::kFolderIndentPixels, dpi_);
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - iconSize) / 2;
    if (HICON icon = item.itemID <= current_ ? openIcon_.get() : closedIcon_.get())
        ::DrawIconEx(item.hDC, left, top, icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);

    ::SetTextColor(item.hDC,
                   selected ? SelectionColours(true).text : ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkMode(item.hDC, TRANSPARENT);
    HGDIOBJ previous = ::SelectObject(item.hDC, font_);
    RECT text = item.rcItem;
    text.left = left + iconSize + Scale(3, dpi_);
    const std::wstring name = platform::ToUtf16(entry.name, CP_ACP);
    ::DrawTextW(item.hDC, name.c_str(), static_cast<int>(name.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SelectObject(item.hDC, previous);
    // Not while the user works by mouse, who has not asked to see it.
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        ::DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT CALLBACK DirectoryListBox::TypeAhead(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR self)
{
    if (message == WM_CHAR && wParam >= L' ') {
        reinterpret_cast<DirectoryListBox *>(self)->OnChar(static_cast<wchar_t>(wParam),
                                                           static_cast<DWORD>(::GetMessageTime()));
        return 0;
    }
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(list, &DirectoryListBox::TypeAhead, kTypeAheadId);
    return ::DefSubclassProc(list, message, wParam, lParam);
}

void DirectoryListBox::OnChar(wchar_t typed, DWORD time)
{
    // Letters that follow each other quickly spell one name's start, as in
    // Explorer's lists; after a pause the next letter starts again.
    if (time - typedAt_ > 2 * ::GetDoubleClickTime())
        typed_.clear();
    typedAt_ = time;
    typed_ += typed;
    const int selected = Selected();
    const auto find = [this](int after, const std::wstring &start) {
        return static_cast<int>(::SendMessageW(handle_, LB_FINDSTRING, static_cast<WPARAM>(after),
                                               reinterpret_cast<LPARAM>(start.c_str())));
    };
    // A longer start may still be the selected entry's; one letter moves on.
    int found = find(typed_.size() > 1 ? selected - 1 : selected, typed_);
    if (found == LB_ERR && typed_.size() > 1) {
        typed_.assign(1, typed);
        found = find(selected, typed_);
    }
    if (found != LB_ERR)
        ::SendMessageW(handle_, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

} // namespace vorsa::win32
