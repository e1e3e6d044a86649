// What the Win32 window does that the behaviour table cannot ask of both
// windows: a dpi change as Windows sends it (wine never does).
#include "Unit1.h"
#include "Win32DpiChange.h"
#include "WinHandles.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace
{

TEST(Win32Window, DpiChangeTakesTheSuggestedRectangleAndRescalesWhatItDraws)
{
    const vorsa::win32::ComApartment com;
    TForm1 form;
    constexpr UINT kDpi = 120;
    const SIZE size = vorsa::testing::SuggestedSize(form.Handle(), kDpi);
    // Anywhere the system likes, off the centre, a little larger than asked
    // for: the window goes there as told.
    const RECT suggested{40, 30, 40 + size.cx + 8, 30 + size.cy + 6};
    ::SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi),
                   reinterpret_cast<LPARAM>(&suggested));

    RECT frame{};
    ::GetWindowRect(form.Handle(), &frame);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);
    EXPECT_EQ(frame.right, suggested.right);
    EXPECT_EQ(frame.bottom, suggested.bottom);
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(ListView_GetImageList(form.ListView1.Handle(), LVSIL_STATE), &width,
                          &height);
    EXPECT_EQ(width, ::GetSystemMetricsForDpi(SM_CXSMICON, kDpi)) << "the check boxes";
    // The tool tip keeps a copy of the font it is given.
    const auto fontOf = [](HWND window) {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font,
                     &font);
        return font.lfHeight;
    };
    const auto tips =
        reinterpret_cast<HWND>(::SendMessageW(form.ToolBar1.Handle(), TB_GETTOOLTIPS, 0, 0));
    EXPECT_EQ(fontOf(tips), fontOf(form.ListView1.Handle())) << "the tool buttons' tool tips";
}

} // namespace
