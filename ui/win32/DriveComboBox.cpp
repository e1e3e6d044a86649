#include "DriveComboBox.h"

#include "Folders.h"
#include "FormDesign.h"

#include <commctrl.h>

#include <algorithm>

namespace vorsa::win32
{

namespace
{

// The drop-down list's height below the closed box, in design pixels.
constexpr int kDropDownHeight = 160;

} // namespace

void DriveComboBox::Create(HWND parent, int id)
{
    // Plain: the system draws the letters, in every theme and contrast.
    handle_ = ::CreateWindowExW(
        0, WC_COMBOBOXW, L"",
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0,
        0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
        ::GetModuleHandleW(nullptr), nullptr);
}

void DriveComboBox::ShowDriveOf(const std::string &folder)
{
    drives_ = DriveNames();
    const std::string drive = DriveOf(folder);
    ::SendMessageW(handle_, CB_RESETCONTENT, 0, 0);
    int shown = -1;
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        ::SendMessageA(handle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drives_[i].c_str()));
        if (drives_[i] == drive)
            shown = static_cast<int>(i);
    }
    ::SendMessageW(handle_, CB_SETCURSEL, static_cast<WPARAM>(shown), 0);
}

void DriveComboBox::NoteCurrentFolder(const std::string &folder)
{
    driveFolders_[DriveOf(folder)] = folder;
}

std::optional<std::string> DriveComboBox::PickedFolder(const std::string &listFolder) const
{
    const auto picked = static_cast<int>(::SendMessageW(handle_, CB_GETCURSEL, 0, 0));
    if (picked < 0 || static_cast<std::size_t>(picked) >= drives_.size())
        return std::nullopt;
    const std::string &drive = drives_[static_cast<std::size_t>(picked)];
    if (drive == DriveOf(listFolder))
        return std::nullopt;
    // Its root when that folder is gone.
    const auto remembered = driveFolders_.find(drive);
    const std::string folder =
        remembered != driveFolders_.end() ? remembered->second : SystemCurrentFolderOf(drive);
    return FolderExists(folder) ? folder : drive + "\\";
}

void DriveComboBox::SetMetrics(UINT dpi, HFONT font, const RECT &placed)
{
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SetWindowPos(handle_, nullptr, placed.left, placed.top, placed.right - placed.left,
                   placed.bottom - placed.top + ui::Scaled(kDropDownHeight, static_cast<int>(dpi)),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    // The closed box is its selection field and the frame round it: the
    // field as tall as the font's letters need ("Z:" whole), and the box
    // as tall as the design where they fit in that.
    TEXTMETRICW metrics{};
    HDC dc = ::GetDC(handle_);
    HGDIOBJ previous = ::SelectObject(dc, font);
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(handle_, dc);
    const auto field = static_cast<int>(::SendMessageW(handle_, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    RECT closed{};
    ::GetWindowRect(handle_, &closed);
    const int frame = (closed.bottom - closed.top) - field;
    const int itemHeight = std::max<int>(metrics.tmHeight, (placed.bottom - placed.top) - frame);
    ::SendMessageW(handle_, CB_SETITEMHEIGHT, WPARAM(-1), itemHeight);
    ::SendMessageW(handle_, CB_SETITEMHEIGHT, 0, metrics.tmHeight);
}

} // namespace vorsa::win32
