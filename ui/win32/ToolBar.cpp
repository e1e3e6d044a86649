#include "ToolBar.h"
#include "platform/SystemText.h"

#include "WinText.h"

#include <commctrl.h>

namespace vorsa::win32
{

ToolBar::ToolBar(std::span<const ToolButton> buttons)
    : Control(ROLE_SYSTEM_TOOLBAR), buttons_(buttons.begin(), buttons.end())
{
    for (const ToolButton &button : buttons_)
        hints_.push_back(platform::ToUtf16(ui::DesignOf(button.control).hint, CP_UTF8));
}

void ToolBar::Create(HWND parent, int id)
{
    // With its divider, the etched line along its top edge, which sets
    // the buttons 2 pixels down.
    Make(parent, TOOLBARCLASSNAMEW,
         TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, id);
    ::SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // The buttons' texts are kept but not drawn, and are their tool tips.
    ::SendMessageW(handle_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        TBBUTTON button{};
        button.iBitmap = static_cast<int>(i);
        button.idCommand = buttons_[i].command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        button.iString = reinterpret_cast<INT_PTR>(hints_[i].c_str());
        ::SendMessageW(handle_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
}

void ToolBar::EnableButton(int command, bool enabled) const
{
    ::SendMessageW(handle_, TB_ENABLEBUTTON, static_cast<WPARAM>(command), MAKELONG(enabled, 0));
}

bool ToolBar::ButtonEnabled(int command) const
{
    return ::SendMessageW(handle_, TB_ISBUTTONENABLED, static_cast<WPARAM>(command), 0) != 0;
}

std::optional<Spoken> ToolBar::SpokenAs(long child) const
{
    if (child == CHILDID_SELF || child > static_cast<long>(buttons_.size()))
        return Control::SpokenAs(child);
    const ToolButton &button = buttons_[static_cast<std::size_t>(child - 1)];
    Spoken spoken;
    spoken.name = hints_[static_cast<std::size_t>(child - 1)];
    spoken.role = ROLE_SYSTEM_PUSHBUTTON;
    spoken.keys = platform::ToUtf16(ui::KeysOf(button.control), CP_UTF8);
    spoken.state =
        ButtonEnabled(button.command) ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
    return spoken;
}

void ToolBar::SetScale(UINT dpi, HFONT font)
{
    Control::SetScale(dpi, font);
    // Its tool tips' text too, which it made at the system's dpi.
    ::SendMessageW(reinterpret_cast<HWND>(::SendMessageW(handle_, TB_GETTOOLTIPS, 0, 0)),
                   WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The image list at the size of this dpi, from the icons' nearest size.
    const int imageSize = ui::Scaled(ui::kToolImagePixels, static_cast<int>(dpi));
    UniqueImageList images(::ImageList_Create(imageSize, imageSize, ILC_COLOR32 | ILC_MASK,
                                              static_cast<int>(buttons_.size()), 0));
    for (const ToolButton &button : buttons_) {
        HICON icon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                     MAKEINTRESOURCEW(button.icon), IMAGE_ICON,
                                                     imageSize, imageSize, 0));
        ::ImageList_AddIcon(images.get(), icon);
        if (icon)
            ::DestroyIcon(icon);
    }
    // The bar takes the new images before the old ones go.
    ::SendMessageW(handle_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    ::SendMessageW(handle_, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
    ::SendMessageW(handle_, TB_SETBITMAPSIZE, 0, MAKELONG(imageSize, imageSize));
    const ui::Rect button =
        ui::Scaled(ui::DesignOf(ui::Control::ToolButton1).rect, static_cast<int>(dpi));
    ::SendMessageW(handle_, TB_SETBUTTONSIZE, 0, MAKELONG(button.width, button.height));
    ImageList1 = std::move(images);
}

} // namespace vorsa::win32
