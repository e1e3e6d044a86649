#include "FormActions.h"

#include "DiscReaders.h"
#include "Errors.h"
#include "Extraction.h"
#include "FormDesign.h"
#include "PathText.h"

#include <cstdint>
#include <utility>

namespace vorsa::ui
{

namespace
{

constexpr std::string_view kOpenFilterShown = "ccd,cueファイル(*.cue,*.ccd)";
constexpr std::string_view kOpenPatterns = "*.cue;*.ccd";

} // namespace

FormActions::FormActions(FormView &view)
    : view_(view), runGuard_({.showRunning = [this](bool running) { view_.ShowRunning(running); },
                              .stop = [this] { Button1Click(); },
                              .closeLater = [this] { view_.CloseLater(); }})
{
}

void FormActions::ToolButton1Click()
{
    if (!runGuard_.MayLoad())
        return;
    const std::optional<std::string> chosen =
        view_.ChooseOpenFile(kOpenFilterShown, kOpenPatterns, lastOpenName_);
    if (!chosen)
        return;
    lastOpenName_ = *chosen;
    LoadControlFile(view_, *chosen);
}

void FormActions::ToolButton2Click()
{
    runGuard_.Extract(view_);
}

void FormActions::ToolButton3Click()
{
    SetAllTicks(true);
}

void FormActions::ToolButton4Click()
{
    SetAllTicks(false);
}

void FormActions::SetAllTicks(bool ticked)
{
    // The item count as the 16-bit counter that the list's users keep.
    const auto count = static_cast<std::int16_t>(view_.SongListCount());
    for (int i = 1; i <= count; ++i)
        view_.SetItemChecked(i - 1, ticked);
}

void FormActions::Button1Click()
{
    vorsa::Button1Click();
    // The stop is taken: the button stays off until the run ends, so the
    // user sees it even while the current track is still being copied.
    view_.SetStopEnabled(false);
}

void FormActions::Label11Click()
{
    view_.OpenAddress(DesignOf(Control::Label11).text);
}

void FormActions::DirectoryListBox1Change()
{
    view_.SetText(TextControl::Label6, text::WithTrailingDelimiter(view_.FolderListDirectory()));
}

void FormActions::WMDropFiles(const std::string &droppedName)
{
    if (!runGuard_.MayLoad())
        return;
    PostLoad([this, droppedName] { LoadDroppedFile(view_, droppedName); });
}

void FormActions::LoadNamedFile(const std::string &name)
{
    // The drop's rule of which names load.
    PostLoad([this, name] { LoadDroppedFile(view_, name); });
}

void FormActions::PostLoad(std::function<void()> load)
{
    view_.Post([this, load = std::move(load)] {
        // A run that started between the post and now owns the table.
        if (runGuard_.MayLoad())
            load();
    });
}

void FormActions::OpenFolder(const std::string &folder)
{
    view_.EnterFolder(folder);
    const std::string current = view_.FolderListDirectory();
    driveFolders_[view_.DriveOf(current)] = current;
    view_.ShowDriveOf(current);
    DirectoryListBox1Change();
}

void FormActions::PickDrive(const std::string &drive)
{
    const std::string before = view_.FolderListDirectory();
    // The list's own drive picked again: the list stays where the user left it.
    if (drive == view_.DriveOf(before)) {
        view_.ShowDriveOf(before);
        return;
    }
    try {
        const auto remembered = driveFolders_.find(drive);
        const std::string folder =
            remembered != driveFolders_.end() ? remembered->second : view_.StartFolderOf(drive);
        try {
            OpenFolder(folder);
        } catch (const EInOutError &) {
            // Gone since it was opened: the drive itself may still be there.
            const std::string root = view_.DriveRoot(drive);
            if (folder == root)
                throw;
            driveFolders_.erase(drive);
            OpenFolder(root);
        }
    } catch (...) {
        // The selector goes back to the drive that the list still shows.
        view_.ShowDriveOf(before);
        throw;
    }
}

} // namespace vorsa::ui
