#include "ListView.h"

#include "WinText.h"

#include <commctrl.h>

namespace vorsa::win32
{

void ListView::Create(HWND parent, int id)
{
    Make(parent, WC_LISTVIEWW,
         WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
         WS_EX_CLIENTEDGE, id);
    ListView_SetExtendedListViewStyle(handle_, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES |
                                                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    const std::wstring text = Widen(heading_);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t *>(text.c_str());
    column.cx = 100;
    ::SendMessageW(handle_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

int ListView::ItemCount() const
{
    return ListView_GetItemCount(handle_);
}

void ListView::AddItem(const std::string &caption) const
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ItemCount();
    item.pszText = const_cast<char *>(caption.c_str());
    ::SendMessageA(handle_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    FitColumn();
}

void ListView::DeleteAllItems() const
{
    ListView_DeleteAllItems(handle_);
    FitColumn();
}

bool ListView::CheckState(int index) const
{
    return index >= 0 && index < ItemCount() && ListView_GetCheckState(handle_, index);
}

void ListView::SetCheckState(int index, bool checked) const
{
    ListView_SetCheckState(handle_, index, checked);
}

void ListView::Place(const ui::Rect &at)
{
    Control::Place(at);
    FitColumn();
}

void ListView::FitColumn() const
{
    RECT client{};
    ::GetClientRect(handle_, &client);
    ListView_SetColumnWidth(handle_, 0, client.right - client.left);
}

} // namespace vorsa::win32
