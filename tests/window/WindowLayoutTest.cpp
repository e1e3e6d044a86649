// The window on its screen, at each dpi its driver can put it on: what the
// form's table cannot promise by itself. The client area is the design's
// scaled to the dpi the form is laid out at; every control sits at its
// scaled place; the frame is fixed and lies wholly in the work area, the
// form laid out smaller only where the screen's own dpi would not fit.
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vorsa::testing
{
namespace
{

bool Inside(const ui::Rect &inner, const ui::Rect &outer)
{
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

TEST(WindowLayout, FitsItsScreenWithEveryControlScaled)
{
    const std::unique_ptr<WindowDriver> window = MakeWindowDriver();
    for (const int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        if (!window->MoveToDpi(dpi))
            continue;
        const ScreenLayout layout = window->Layout();
        const int at = layout.layoutDpi;
        std::printf("dpi %d: form at %d dpi, frame %d,%d %dx%d in work area %d,%d %dx%d\n", dpi, at,
                    layout.frame.left, layout.frame.top, layout.frame.width, layout.frame.height,
                    layout.workArea.left, layout.workArea.top, layout.workArea.width,
                    layout.workArea.height);
        EXPECT_EQ(layout.dpi, dpi);
        EXPECT_TRUE(layout.fixedSize);
        EXPECT_TRUE(Inside(layout.frame, layout.workArea));
        EXPECT_TRUE(Inside(layout.client, layout.frame));

        // Smaller than the screen's dpi only where that would not fit.
        const int borders = layout.frame.width - layout.client.width;
        const int titleBar = layout.frame.height - layout.client.height;
        const bool fitsAtDpi =
            ui::Scaled(ui::kClientWidth, dpi) + borders <= layout.workArea.width &&
            ui::Scaled(ui::kClientHeight, dpi) + titleBar <= layout.workArea.height;
        if (fitsAtDpi)
            EXPECT_EQ(at, dpi);
        else
            EXPECT_LT(at, dpi);
        EXPECT_EQ(layout.client.width, ui::Scaled(ui::kClientWidth, at));
        EXPECT_EQ(layout.client.height, ui::Scaled(ui::kClientHeight, at));

        const ui::Rect client{0, 0, layout.client.width, layout.client.height};
        for (const auto &[control, rect] : layout.controls) {
            const ui::ControlDesign &design = ui::DesignOf(control);
            SCOPED_TRACE(design.name);
            const ui::Rect expected = ui::Scaled(ui::ClientRectOf(control), at);
            EXPECT_TRUE(Inside(rect, client));
            // The tool bar sets its buttons side by side, each of the scaled
            // width, below its divider, a line that does not scale.
            const int slack = design.parent == ui::Control::ToolBar1 ? 2 : 0;
            EXPECT_NEAR(rect.left, expected.left, slack);
            if (design.sizing != ui::Sizing::Under) {
                EXPECT_NEAR(rect.top, expected.top, slack);
            }
            switch (design.sizing) {
            case ui::Sizing::Fixed:
                EXPECT_EQ(rect.width, expected.width);
                EXPECT_EQ(rect.height, expected.height);
                break;
            case ui::Sizing::ToText:
                EXPECT_GT(rect.width, 0);
                EXPECT_GT(rect.height, 0);
                break;
            case ui::Sizing::FontHeight:
                EXPECT_EQ(rect.width, expected.width);
                EXPECT_GE(rect.height, expected.height);
                break;
            case ui::Sizing::Under:
                EXPECT_GE(rect.top, expected.top);
                EXPECT_EQ(rect.width, expected.width);
                EXPECT_EQ(rect.top + rect.height, expected.top + expected.height);
                break;
            }
        }
    }
}

} // namespace
} // namespace vorsa::testing
