// The tool bar of image buttons: each button a command of the window,
// shown by its image; its hint is its text, not drawn, shown in the tool tip
// when the pointer rests on it and heard by a screen reader with its keys.
// The image list (the form's ImageList1) is the bar's, at the size of its dpi.
#pragma once

#include "Control.h"
#include "WinHandles.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorsa::win32
{

struct ToolButton {
    ui::Control control;
    int command;
    int icon; // its resource
};

class ToolBar : public Control
{
public:
    // With `buttons` in order; their clicks come to the parent as
    // WM_COMMAND of their command ids.
    explicit ToolBar(std::span<const ToolButton> buttons);
    void Create(HWND parent, int id) override;

    void EnableButton(int command, bool enabled) const;
    bool ButtonEnabled(int command) const;

    // Images and buttons at the design's size for `dpi`.
    void SetScale(UINT dpi, HFONT font) override;

protected:
    // Each button by its hint, with its keys.
    std::optional<Spoken> SpokenAs(long child) const override;
    std::optional<long> SpokenItems() const override { return static_cast<long>(buttons_.size()); }

private:
    std::vector<ToolButton> buttons_;
    std::vector<std::wstring> hints_; // each button's, in order
    UniqueImageList ImageList1;       // each button's image at its place in `buttons_`
};

} // namespace vorsa::win32
