// The song list over a list view in report view: one column under its
// heading, one item per track with its check box, item i for track i+1.
#pragma once

#include "Control.h"

#include <commctrl.h>

#include <string>
#include <string_view>

namespace vorsa::win32
{

class ListView : public Control
{
public:
    // Its one column under `heading` (UTF-8).
    explicit ListView(std::string_view heading) : Control(ROLE_SYSTEM_LIST), heading_(heading) {}
    void Create(HWND parent, int id) override;

    int ItemCount() const;
    // An item with `caption` (the process's code page) after the last, unticked.
    void AddItem(const std::string &caption) const;
    void DeleteAllItems() const;
    bool CheckState(int index) const;
    void SetCheckState(int index, bool checked) const;

    // The one column fills the list's width, beside a scroll bar once there is one.
    void FitColumn() const;
    void Place(const ui::Rect &at) override;
    // The check boxes too: the list makes its own once, at the system's dpi.
    void SetScale(UINT dpi, HFONT font) override;
    // NM_CUSTOMDRAW from the list: a selected item's text where it reads.
    LRESULT CustomDraw(NMLVCUSTOMDRAW &draw) const;

protected:
    // Each item a check box, ticked or not, named by its caption.
    std::optional<Spoken> SpokenAs(long child) const override;
    std::optional<long> SpokenItems() const override { return ItemCount(); }

private:
    std::string_view heading_;
};

} // namespace vorsa::win32
