#include "ListView.h"
#include "platform/SystemText.h"

#include "Palette.h"
#include "WinText.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <iterator>

namespace vorsa::win32
{

void ListView::Create(HWND parent, int id)
{
    Make(parent, WC_LISTVIEWW,
         WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
         WS_EX_CLIENTEDGE, id);
    ListView_SetExtendedListViewStyle(handle_, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES |
                                                   LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    const std::wstring text = platform::ToUtf16(heading_, CP_UTF8);
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

void ListView::SetScale(UINT dpi, HFONT font)
{
    Control::SetScale(dpi, font);
    // Unticked, then ticked: the state images 1 and 2 that the items' ticks name.
    const int size = ::GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    HIMAGELIST images = ::ImageList_Create(size, size, ILC_COLOR32, 2, 0);
    HDC screen = ::GetDC(handle_);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP strip = ::CreateCompatibleBitmap(screen, 2 * size, size);
    HGDIOBJ previous = ::SelectObject(dc, strip);
    const RECT all{0, 0, 2 * size, size};
    ::FillRect(dc, &all, ::GetSysColorBrush(COLOR_WINDOW));
    // The theme of the window's dpi (per-monitor aware), which the system has changed first.
    HTHEME theme = ::OpenThemeData(handle_, L"BUTTON");
    for (int ticked = 0; ticked < 2; ++ticked) {
        RECT box{ticked * size, 0, (ticked + 1) * size, size};
        if (theme) {
            ::DrawThemeBackground(theme, dc, BP_CHECKBOX,
                                  ticked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, &box, nullptr);
        } else {
            ::InflateRect(&box, -size / 8, -size / 8);
            ::DrawFrameControl(dc, &box, DFC_BUTTON,
                               DFCS_BUTTONCHECK | DFCS_FLAT | (ticked ? DFCS_CHECKED : 0));
        }
    }
    if (theme)
        ::CloseThemeData(theme);
    ::SelectObject(dc, previous);
    ::ImageList_Add(images, strip, nullptr);
    ::DeleteObject(strip);
    ::DeleteDC(dc);
    ::ReleaseDC(handle_, screen);
    // The list owns the images it shows and gives back the ones they replace.
    if (HIMAGELIST old = ListView_SetImageList(handle_, images, LVSIL_STATE))
        ::ImageList_Destroy(old);
}

void ListView::Place(const ui::Rect &at)
{
    Control::Place(at);
    FitColumn();
}

std::optional<Spoken> ListView::SpokenAs(long child) const
{
    if (child == CHILDID_SELF || child > ItemCount())
        return Control::SpokenAs(child);
    const int index = static_cast<int>(child - 1);
    // A caption is a track's number and length: a few characters.
    wchar_t caption[64] = {};
    LVITEMW item{};
    item.pszText = caption;
    item.cchTextMax = static_cast<int>(std::size(caption));
    ::SendMessageW(handle_, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
    const long checked = CheckState(index) ? STATE_SYSTEM_CHECKED : 0;
    Spoken spoken;
    spoken.name = caption;
    spoken.role = ROLE_SYSTEM_CHECKBUTTON;
    spoken.state = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE | checked;
    return spoken;
}

LRESULT ListView::CustomDraw(NMLVCUSTOMDRAW &draw) const
{
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.uItemState & CDIS_SELECTED)) {
        const Selection colours = SelectionColours(Focused());
        draw.clrText = colours.text;
        draw.clrTextBk = colours.background;
        // The list paints the colours given, not its own selection's.
        draw.nmcd.uItemState &= ~CDIS_SELECTED;
    }
    return CDRF_DODEFAULT;
}

void ListView::FitColumn() const
{
    RECT client{};
    ::GetClientRect(handle_, &client);
    ListView_SetColumnWidth(handle_, 0, client.right - client.left);
}

} // namespace vorsa::win32
