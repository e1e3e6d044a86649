// The window as a screen-reader user, a keyboard user and a user of a dark
// or high-contrast theme meet it, written once and run on each toolkit's
// window through its driver.
#include "WindowDriver.h"

#include "PaintedColours.h"
#include "DiscBuilder.h"
#include "Extraction.h"
#include "FormDesign.h"
#include "TempDir.h"
#include "platform/SystemText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace vorsa::testing
{
namespace
{

using ui::Control;

class WindowAccessibility : public ::testing::Test
{
protected:
    void SetUp() override
    {
        savedFolder_ = std::filesystem::current_path();
        window_ = MakeWindowDriver();
        AbortRequested = false;
    }
    void TearDown() override
    {
        window_.reset();
        std::filesystem::current_path(savedFolder_);
    }

    // Three tracks loaded, all ticked, prefix and folder set.
    void PrepareRun()
    {
        const GeneratedDisc disc = WriteCueDisc(dir_, "album", {150, 300, 75});
        window_->Open(disc.descriptionPath);
        window_->TickAll();
        window_->SetPrefix("cd");
        std::filesystem::create_directory(dir_.File("out"));
        window_->ShowFolder(dir_.Path());
        window_->OpenFolderEntry(dir_.File("out"));
    }

    TempDir dir_;
    std::unique_ptr<WindowDriver> window_;

private:
    std::filesystem::path savedFolder_;
};

TEST_F(WindowAccessibility, EveryControlIsHeardByItsNameAndRole)
{
    const std::pair<Control, HeardRole> controls[] = {
        {Control::ToolButton1, HeardRole::PushButton},
        {Control::ToolButton2, HeardRole::PushButton},
        {Control::ToolButton3, HeardRole::PushButton},
        {Control::ToolButton4, HeardRole::PushButton},
        {Control::Label1, HeardRole::Label},
        {Control::Label2, HeardRole::Label},
        {Control::Edit1, HeardRole::Edit},
        {Control::Label6, HeardRole::Label},
        {Control::DriveComboBox1, HeardRole::ComboBox},
        {Control::DirectoryListBox1, HeardRole::List},
        {Control::Label7, HeardRole::Label},
        {Control::ProgressBar1, HeardRole::ProgressBar},
        {Control::Button1, HeardRole::PushButton},
        {Control::ListView1, HeardRole::List},
        {Control::Label11, HeardRole::Link},
    };
    for (const auto &[control, role] : controls) {
        const Heard heard = window_->Hear(control);
        const std::string_view name = ui::DesignOf(control).name;
        EXPECT_EQ(heard.name, ui::SpokenNameOf(control)) << name;
        EXPECT_EQ(heard.role, role) << name;
    }
}

TEST_F(WindowAccessibility, CommandsTellTheirKeys)
{
    for (const Control command : {Control::ToolButton1, Control::ToolButton2, Control::ToolButton3,
                                  Control::ToolButton4, Control::Button1}) {
        const std::string keys = ui::KeysOf(command);
        EXPECT_NE(window_->Hear(command).keys.find(keys), std::string::npos)
            << ui::DesignOf(command).name << " tells \"" << window_->Hear(command).keys << "\"";
    }
}

TEST_F(WindowAccessibility, EachTrackIsHeardAsTickedOrNot)
{
    const GeneratedDisc disc = WriteCueDisc(dir_, "album", {150, 300, 75});
    window_->Open(disc.descriptionPath);
    window_->SetTick(1, true);
    const std::vector<HeardTrack> tracks = window_->HearTracks();
    ASSERT_EQ(tracks.size(), 3U);
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        EXPECT_EQ(tracks[i].name, platform::ToUtf8(window_->Captions()[i]));
        EXPECT_TRUE(tracks[i].checkBox) << i;
        EXPECT_EQ(tracks[i].checked, i == 1) << i;
    }
}

TEST_F(WindowAccessibility, RunAnnouncesItsStatusAndShowsItsProgress)
{
    PrepareRun();
    const int before = window_->StatusAnnouncements();
    window_->Extract();
    EXPECT_GE(window_->StatusAnnouncements() - before, 3);
    EXPECT_NE(window_->Hear(Control::ProgressBar1).value.find("100"), std::string::npos)
        << window_->Hear(Control::ProgressBar1).value;
    EXPECT_EQ(window_->Hear(Control::Label7).value, "3曲目");
}

TEST_F(WindowAccessibility, LinkIsReachedByTabAndOpenedByEnterOrSpace)
{
    const std::vector<Control> cycle = window_->TabCycle();
    EXPECT_NE(std::find(cycle.begin(), cycle.end(), Control::Label11), cycle.end());
    EXPECT_TRUE(window_->Hear(Control::Label11).focusable);
    window_->PressOn(Control::Label11, '\r');
    window_->PressOn(Control::Label11, ' ');
    EXPECT_EQ(window_->openedAddresses, (std::vector<std::string>(2, std::string(ui::kHomePage))));
}

TEST_F(WindowAccessibility, EscapeInTheDropDownClosesItAndStopsNothing)
{
    PrepareRun();
    bool closed = false;
    window_->probe = [&](int call) {
        if (call != 1)
            return;
        window_->DropDriveList(true);
        window_->PressOn(Control::DriveComboBox1, ui::kEscape);
        closed = !window_->DriveListDropped();
        window_->DropDriveList(false);
    };
    window_->Extract();
    EXPECT_TRUE(closed);
    EXPECT_FALSE(AbortRequested) << "Esc in the drop-down stopped the run";
}

class EveryTheme : public WindowAccessibility, public ::testing::WithParamInterface<Theme>
{
};

// WCAG's measure for text; the disabled stop button is exempt, as a control
// that cannot be used.
TEST_P(EveryTheme, EveryTextReads)
{
    if (!window_->UseTheme(GetParam()))
        GTEST_SKIP() << "no such theme for this toolkit";
    PrepareRun();
    window_->Extract();
    for (const Control control :
         {Control::Label3, Control::Label1, Control::Label4, Control::Label2, Control::Label5,
          Control::Edit1, Control::Label8, Control::Label6, Control::DriveComboBox1,
          Control::DirectoryListBox1, Control::GroupBox1, Control::Label7, Control::ListView1,
          Control::Label10, Control::Label9, Control::Label11}) {
        const Painted painted = window_->PaintedColours(control);
        EXPECT_GE(ContrastRatio(painted.text, painted.background), 4.5)
            << ui::DesignOf(control).name;
    }
    for (const Control list : {Control::DirectoryListBox1, Control::ListView1}) {
        const Painted painted = window_->PaintedColours(list, true);
        EXPECT_GE(ContrastRatio(painted.text, painted.background), 4.5)
            << ui::DesignOf(list).name << ", its selected entry";
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, EveryTheme,
                         ::testing::Values(Theme::Standard, Theme::Dark, Theme::HighContrast),
                         [](const ::testing::TestParamInfo<Theme> &theme) {
                             switch (theme.param) {
                             case Theme::Standard:
                                 return std::string("Standard");
                             case Theme::Dark:
                                 return std::string("Dark");
                             case Theme::HighContrast:
                                 break;
                             }
                             return std::string("HighContrast");
                         });

TEST_F(WindowAccessibility, StandardThemeKeepsTheDesignsColours)
{
    window_->SetPrefix("cd");
    window_->ShowFolder(dir_.Path());
    window_->OpenFolderEntry(dir_.Path());
    const Painted folder = window_->PaintedColours(Control::Label6);
    EXPECT_EQ(folder.background.red, ui::kCream.red);
    EXPECT_EQ(folder.background.green, ui::kCream.green);
    EXPECT_EQ(folder.background.blue, ui::kCream.blue);
    const Painted link = window_->PaintedColours(Control::Label11);
    EXPECT_EQ(link.text.red, ui::kNavy.red);
    EXPECT_EQ(link.text.green, ui::kNavy.green);
    EXPECT_EQ(link.text.blue, ui::kNavy.blue);
}

} // namespace
} // namespace vorsa::testing
