// The drive selector over its combo box: the drive letters there are, the
// folder list's drive shown. Picking another drive moves the folder list to
// that drive's current folder: the last one opened on it, else the one the
// system keeps for it.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vorsa::win32
{

class DriveComboBox
{
public:
    // The combo box, a child of `parent` with control id `id`.
    void Create(HWND parent, int id);
    HWND Handle() const { return handle_; }

    // Lists the drives there are and shows the one of `folder`.
    void ShowDriveOf(const std::string &folder);
    // `folder`, just opened, is its drive's current folder from now on.
    void NoteCurrentFolder(const std::string &folder);
    // The folder to open for the drive the user picked, while the folder
    // list shows `listFolder`; nullopt when the pick is the list's own drive.
    std::optional<std::string> PickedFolder(const std::string &listFolder) const;

    // Places it at `design` (scaled to `dpi`), its text in `font`, as tall as
    // the design where the font fits in that, taller where it does not.
    void SetMetrics(UINT dpi, HFONT font, const RECT &placed);

private:
    HWND handle_ = nullptr;
    std::vector<std::string> drives_;
    std::map<std::string, std::string> driveFolders_; // drive -> folder last opened on it
};

} // namespace vorsa::win32
