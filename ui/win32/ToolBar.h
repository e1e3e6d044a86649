// The tool bar of image buttons: each button a command of the window,
// shown by its image, its hint in the tool tip when the pointer rests on
// it. The image list (the form's ImageList1) is the bar's, at the size of
// its dpi.
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
    // Answers the bar's tool tip asking for a button's hint (TTN_GETDISPINFOW).
    void AnswerTip(NMTTDISPINFOW &info) const;

    // Images and buttons at the design's size for `dpi`.
    void SetScale(UINT dpi, HFONT font) override;

private:
    std::vector<ToolButton> buttons_;
    std::vector<std::wstring> hints_; // each button's, in order
    UniqueImageList ImageList1;       // each button's image at its place in `buttons_`
};

} // namespace vorsa::win32
