// The Win32 window's layout at 96 dpi: every control where the design puts
// it, at its size, or sized to its text; the client area, the frame, the tab
// order, the font. Each control's place is printed, for comparing screenshots.
#include "Unit1.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace
{

RECT ClientRectOf(const TForm1 &form, HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

TEST(Win32WindowLayout, ControlsSitWhereTheDesignPutsThem)
{
    ASSERT_EQ(::GetDpiForSystem(), 96u) << "the design's dpi";
    TForm1 form;
    struct Row {
        const char *name;
        HWND control;
        int left, top, width, height; // 0 x 0: sized to its text
    };
    const Row rows[] = {
        {"ToolBar1", form.ToolBar1, 0, 0, 348, 41},
        {"Label3", form.Label3, 8, 64, 0, 0},
        {"Label1", form.Label1, 8, 80, 185, 25},
        {"Label4", form.Label4, 8, 112, 0, 0},
        {"Label2", form.Label2, 8, 128, 185, 25},
        {"Label5", form.Label5, 8, 160, 0, 0},
        {"Edit1", form.Edit1, 8, 176, 185, 20},
        {"Label8", form.Label8, 8, 200, 0, 0},
        {"Label6", form.Label6, 8, 216, 185, 20},
        {"DriveComboBox1", form.DriveComboBox1, 8, 240, 185, 18},
        {"DirectoryListBox1", form.DirectoryListBox1, 8, 256, 185, 137},
        {"GroupBox1", form.GroupBox1, 8, 400, 185, 65},
        // Within the group: 16, 16; 16, 33; 144, 16.
        {"Label7", form.Label7, 24, 416, 121, 17},
        {"ProgressBar1", form.ProgressBar1, 24, 433, 121, 16},
        {"Button1", form.Button1, 152, 416, 33, 33},
        {"ListView1", form.ListView1, 208, 56, 129, 409},
        {"Label10", form.Label10, 8, 480, 0, 0},
        {"Label9", form.Label9, 208, 480, 0, 0},
        {"Label11", form.Label11, 176, 496, 0, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const RECT at = ClientRectOf(form, row.control);
        std::printf("%-18s %3ld, %3ld  %3ld x %3ld\n", row.name, at.left, at.top,
                    at.right - at.left, at.bottom - at.top);
        EXPECT_EQ(at.left, row.left);
        EXPECT_EQ(at.top, row.top);
        if (row.width > 0) {
            EXPECT_EQ(at.right - at.left, row.width);
            EXPECT_EQ(at.bottom - at.top, row.height);
        } else {
            EXPECT_GT(at.right - at.left, 0);
            EXPECT_LE(at.right, 348);
        }
    }
    // Tool buttons of 39 x 38, side by side from the bar's left edge, 2 down.
    for (int i = 0; i < 4; ++i) {
        RECT button{};
        ::SendMessageW(form.ToolBar1, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&button));
        // From the bar's client area, below its divider, to the bar itself.
        ::MapWindowPoints(form.ToolBar1, form.Handle(), reinterpret_cast<POINT *>(&button), 2);
        const RECT bar = ClientRectOf(form, form.ToolBar1);
        ::OffsetRect(&button, -bar.left, -bar.top);
        std::printf("ToolButton%d        %3ld, %3ld  %3ld x %3ld\n", i + 1, button.left, button.top,
                    button.right - button.left, button.bottom - button.top);
        EXPECT_EQ(button.left, 39 * i);
        EXPECT_EQ(button.top, 2);
        EXPECT_EQ(button.right - button.left, 39);
        EXPECT_EQ(button.bottom - button.top, 38);
    }

    RECT client{};
    ::GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 348);
    EXPECT_EQ(client.bottom, 523);
    const auto style = ::GetWindowLongPtrW(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(::IsWindowEnabled(form.Button1));

    // Tab order: song list, prefix box, drive selector, folder list, then
    // the stop button while it is enabled.
    ::EnableWindow(form.Button1, TRUE);
    std::vector<HWND> order{form.ListView1};
    for (HWND next = ::GetNextDlgTabItem(form.Handle(), form.ListView1, FALSE);
         next && next != form.ListView1 && order.size() < 10;
         next = ::GetNextDlgTabItem(form.Handle(), next, FALSE))
        order.push_back(next);
    EXPECT_EQ(order, (std::vector<HWND>{form.ListView1, form.Edit1, form.DriveComboBox1,
                                        form.DirectoryListBox1, form.Button1}));

    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(form.Edit1, WM_GETFONT, 0, 0)), sizeof font,
                 &font);
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
}

} // namespace
