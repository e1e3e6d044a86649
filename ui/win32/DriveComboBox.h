// The drive selector over its combo box: the drive letters there are, the
// folder list's drive shown.
#pragma once

#include "Control.h"

#include <optional>
#include <string>
#include <vector>

namespace vorsa::win32
{

class DriveComboBox : public Control
{
public:
    DriveComboBox() : Control(ROLE_SYSTEM_COMBOBOX) {}
    // The combo box, a child of `parent` with control id `id`.
    void Create(HWND parent, int id) override;

    // Lists the drives there are and shows the one of `folder`.
    void ShowDriveOf(const std::string &folder);
    // The drive the user picked ("C:"); nullopt for none.
    std::optional<std::string> PickedDrive() const;
    // Whether its list is dropped down.
    bool Dropped() const;

    void SetScale(UINT dpi, HFONT font) override;
    // At `at`, as tall as that where the font fits in it, taller where it does not.
    void Place(const ui::Rect &at) override;

private:
    std::vector<std::string> drives_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
};

} // namespace vorsa::win32
