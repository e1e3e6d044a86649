#include "DriveComboBox.h"

#include "Folders.h"

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
    Make(parent, WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, id);
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

std::optional<std::string> DriveComboBox::PickedDrive() const
{
    const auto picked = static_cast<int>(::SendMessageW(handle_, CB_GETCURSEL, 0, 0));
    if (picked < 0 || static_cast<std::size_t>(picked) >= drives_.size())
        return std::nullopt;
    return drives_[static_cast<std::size_t>(picked)];
}

bool DriveComboBox::Dropped() const
{
    return ::SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

void DriveComboBox::SetScale(UINT dpi, HFONT font)
{
    Control::SetScale(dpi, font);
    dpi_ = dpi;
    font_ = font;
}

void DriveComboBox::Place(const ui::Rect &at)
{
    Control::Place({at.left, at.top, at.width,
                    at.height + ui::Scaled(kDropDownHeight, static_cast<int>(dpi_))});
    // The closed box is its selection field and the frame round it: the
    // field as tall as the font's letters need ("Z:" whole), and the box
    // as tall as the design where they fit in that.
    TEXTMETRICW metrics{};
    HDC dc = ::GetDC(handle_);
    HGDIOBJ previous = ::SelectObject(dc, font_);
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(handle_, dc);
    const auto field = static_cast<int>(::SendMessageW(handle_, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    RECT closed{};
    ::GetWindowRect(handle_, &closed);
    const int frame = (closed.bottom - closed.top) - field;
    const int itemHeight = std::max<int>(metrics.tmHeight, at.height - frame);
    ::SendMessageW(handle_, CB_SETITEMHEIGHT, WPARAM(-1), itemHeight);
    ::SendMessageW(handle_, CB_SETITEMHEIGHT, 0, metrics.tmHeight);
}

} // namespace vorsa::win32
