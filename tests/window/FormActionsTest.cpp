// The form's actions against a view that keeps everything in memory: what
// both windows do alike and the behaviour table cannot reach through a real
// window (a drive that is gone, the 16-bit item counter, the open dialog's
// name field), pinned once.
#include "FormActions.h"

#include "Credits.h"
#include "DiscBuilder.h"
#include "DiscReaders.h"
#include "Errors.h"
#include "Extraction.h"
#include "MemoryWindow.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>

namespace
{

using vorsa::TextControl;

// A path written with "\\", in this platform's delimiter.
std::string P(std::string path)
{
    for (char &c : path) {
        if (c == '\\')
            c = vorsa::testing::kPathDelimiter;
    }
    return path;
}

class FakeView : public vorsa::ui::FormView
{
public:
    // ---- vorsa::WindowState, kept in memory ----
    std::string Text(TextControl control) const override { return window.Text(control); }
    void SetText(TextControl control, const std::string &text) override
    {
        window.SetText(control, text);
    }
    void ClearSongList() override { window.ClearSongList(); }
    void AddSongListItem(const std::string &caption) override { window.AddSongListItem(caption); }
    int SongListCount() const override { return window.SongListCount(); }
    bool ItemChecked(int index) const override { return window.ItemChecked(index); }
    void SetProgress(int position) override { window.SetProgress(position); }
    void SetStopEnabled(bool enabled) override { window.SetStopEnabled(enabled); }
    void ShowMessage(const std::string &text) override { window.ShowMessage(text); }
    // The loop runs what was posted, as a window's does inside a run.
    void ProcessEvents() override
    {
        window.ProcessEvents();
        RunPosted();
    }

    // ---- vorsa::ui::FormView ----
    std::optional<std::string> ChooseOpenFile(std::string_view filterShown,
                                              std::string_view patterns,
                                              const std::string &initialName) override
    {
        dialogs.push_back(std::string(filterShown) + "|" + std::string(patterns) + "|" +
                          initialName);
        return openAnswer;
    }
    void SetItemChecked(int index, bool checked) override { window.Check(index, checked); }
    void Post(std::function<void()> work) override { posted.push_back(std::move(work)); }
    void ShowRunning(bool running) override { runningShown.push_back(running); }
    void CloseLater() override { ++closes; }
    void OpenAddress(std::string_view address) override { addresses.emplace_back(address); }
    std::string FolderListDirectory() const override { return folder; }
    void EnterFolder(const std::string &path) override
    {
        if (!folders.contains(path))
            throw vorsa::EInOutError(3);
        folder = path;
    }
    void ShowDriveOf(const std::string &path) override { shownDrive = DriveOf(path); }
    std::string DriveOf(const std::string &path) const override { return path.substr(0, 2); }
    std::string DriveRoot(const std::string &drive) const override
    {
        return drive + vorsa::testing::kPathDelimiter;
    }
    std::string StartFolderOf(const std::string &drive) const override
    {
        return P(drive + "\\Start");
    }

    void RunPosted()
    {
        while (!posted.empty()) {
            const std::function<void()> work = std::move(posted.front());
            posted.pop_front();
            work();
        }
    }

    vorsa::testing::MemoryWindow window;
    std::optional<std::string> openAnswer;
    std::vector<std::string> dialogs;
    std::deque<std::function<void()>> posted;
    std::vector<bool> runningShown;
    int closes = 0;
    std::vector<std::string> addresses;
    std::set<std::string> folders{P("C:\\"), P("C:\\Music"), P("D:\\"), P("D:\\Start"),
                                  P("D:\\Work")};
    std::string folder = P("C:\\");
    std::string shownDrive = "C:";
};

class FormActionsTest : public ::testing::Test
{
protected:
    FakeView view_;
    vorsa::ui::FormActions form_{view_};
};

TEST_F(FormActionsTest, OpenDialogStartsWithTheLastChosenName)
{
    view_.openAnswer = P("C:\\missing.cue");
    EXPECT_THROW(form_.ToolButton1Click(), vorsa::VorsaError);
    view_.openAnswer.reset();
    form_.ToolButton1Click();
    EXPECT_EQ(view_.dialogs, (std::vector<std::string>{"ccd,cueファイル(*.cue,*.ccd)|*.cue;*.ccd|",
                                                       "ccd,cueファイル(*.cue,*.ccd)|*.cue;*.ccd|" +
                                                           P("C:\\missing.cue")}));
}

TEST_F(FormActionsTest, TickAllCountsItemsInSixteenBits)
{
    for (int i = 0; i < 3; ++i)
        view_.AddSongListItem("item");
    form_.ToolButton3Click();
    EXPECT_TRUE(view_.ItemChecked(0) && view_.ItemChecked(1) && view_.ItemChecked(2));
    form_.ToolButton4Click();
    EXPECT_FALSE(view_.ItemChecked(0) || view_.ItemChecked(1) || view_.ItemChecked(2));

    // 32768 items wrap the counter to a negative count: nothing is ticked.
    for (int i = 3; i < 32768; ++i)
        view_.AddSongListItem("item");
    form_.ToolButton3Click();
    EXPECT_FALSE(view_.ItemChecked(0));
}

TEST_F(FormActionsTest, DropLoadsOnceTheLoopRunsAndNotDuringARun)
{
    view_.SetText(TextControl::Label1, "before");
    form_.WMDropFiles(P("C:\\notes.txt"));
    EXPECT_EQ(view_.Text(TextControl::Label1), "before");
    ASSERT_EQ(view_.posted.size(), 1U);
    view_.RunPosted();
    EXPECT_EQ(view_.Text(TextControl::Label1), "before");

    // A load posted before a run started is dropped when the run owns the table.
    vorsa::testing::TempDir dir;
    const auto disc = vorsa::testing::WriteCueDisc(dir, "disc", {150, 150});
    view_.SetText(TextControl::Edit1, "t");
    view_.SetText(TextControl::Label6, dir.Folder());
    form_.LoadNamedFile(disc.descriptionPath);
    view_.RunPosted();
    ASSERT_EQ(view_.SongListCount(), 2);
    view_.window.Check(0);
    bool dropTaken = true;
    view_.window.onProcessEvents = [&] {
        dropTaken = form_.MayDrop();
        form_.LoadNamedFile(disc.descriptionPath);
        view_.window.onProcessEvents = nullptr;
    };
    form_.ToolButton2Click();
    EXPECT_FALSE(dropTaken);
    EXPECT_EQ(view_.runningShown, (std::vector<bool>{true, false}));
    EXPECT_TRUE(view_.posted.empty());
    EXPECT_TRUE(view_.ItemChecked(0)) << "a load ran inside the run";
}

TEST_F(FormActionsTest, EachDriveReturnsToItsLastFolder)
{
    form_.OpenFolder(P("C:\\Music"));
    EXPECT_EQ(view_.Text(TextControl::Label6), P("C:\\Music\\"));
    form_.PickDrive("D:");
    EXPECT_EQ(view_.folder, P("D:\\Start")); // where the system starts on it
    form_.OpenFolder(P("D:\\Work"));
    form_.PickDrive("C:");
    EXPECT_EQ(view_.folder, P("C:\\Music"));
    EXPECT_EQ(view_.shownDrive, "C:");

    // A remembered folder that is gone gives its drive's root.
    view_.folders.erase(P("D:\\Work"));
    form_.PickDrive("D:");
    EXPECT_EQ(view_.Text(TextControl::Label6), P("D:\\"));
}

TEST_F(FormActionsTest, DriveThatCannotBeEnteredLeavesTheListWhereItWas)
{
    form_.OpenFolder(P("C:\\Music"));
    EXPECT_THROW(form_.PickDrive("E:"), vorsa::EInOutError);
    EXPECT_EQ(view_.folder, P("C:\\Music"));
    EXPECT_EQ(view_.shownDrive, "C:");
    EXPECT_EQ(view_.Text(TextControl::Label6), P("C:\\Music\\"));
}

TEST_F(FormActionsTest, CloseDuringRunStopsItAndClosesAfter)
{
    EXPECT_TRUE(form_.MayClose());
    vorsa::testing::TempDir dir;
    const auto disc = vorsa::testing::WriteCueDisc(dir, "disc", {150, 150});
    vorsa::LoadControlFile(view_, disc.descriptionPath);
    view_.SetText(TextControl::Edit1, "t");
    view_.SetText(TextControl::Label6, dir.Folder());
    view_.window.CheckAll();
    bool mayClose = true;
    view_.window.onProcessEvents = [&] {
        mayClose = form_.MayClose();
        view_.window.onProcessEvents = nullptr;
    };
    form_.ToolButton2Click();
    EXPECT_FALSE(mayClose);
    EXPECT_EQ(view_.closes, 1);
    EXPECT_TRUE(vorsa::AbortRequested);
}

TEST_F(FormActionsTest, LinkOpensTheHomePage)
{
    form_.Label11Click();
    EXPECT_EQ(view_.addresses, (std::vector<std::string>{std::string(vorsa::ui::kHomePage)}));
}

} // namespace
