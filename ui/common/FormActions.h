// What the main window does, written once for both windows: the handlers of
// its buttons, the drop, the file named at start-up, the folder list and the
// drive selector, over the small view each window implements. The windows
// keep the handlers' names and forward to these.
#pragma once

#include "FormView.h"
#include "RunGuard.h"

#include <map>
#include <string>

namespace vorsa::ui
{

class FormActions
{
public:
    explicit FormActions(FormView &view);

    void ToolButton1Click(); // open
    void ToolButton2Click(); // extract
    void ToolButton3Click(); // tick all
    void ToolButton4Click(); // untick all
    void Button1Click();     // stop
    void Label11Click();     // the link to the home page
    // The folder list's current folder changed: the destination follows it.
    void DirectoryListBox1Change();

    // Whether a drop would be taken now: none during a run.
    bool MayDrop() const { return runGuard_.MayLoad(); }
    // The first dropped file's whole name. The load runs once the drop is
    // over: a reader's message box opened inside the drop would keep the
    // shell's drag pending until the user closed it.
    void WMDropFiles(const std::string &droppedName);
    // The file named on the command line, loaded as a drop of it once the loop runs.
    void LoadNamedFile(const std::string &name);

    // The user opened the folder list's entry for `folder` (a double-click,
    // or Enter on it): it becomes current, its drive remembers it, and the
    // destination follows.
    void OpenFolder(const std::string &folder);
    // The user picked `drive` in the drive selector: the folder list moves to
    // the folder last opened on it, else to where the system would start.
    void PickDrive(const std::string &drive);

    // True from the start of an extraction until it returns.
    bool Running() const { return runGuard_.Running(); }
    // A close asked for: true when the window may close now; during a run
    // the run is stopped, and the window closes once it has returned.
    bool MayClose() { return runGuard_.MayClose(); }

private:
    void SetAllTicks(bool ticked);
    // `load` once the loop runs, unless a run has started by then.
    void PostLoad(std::function<void()> load);

    FormView &view_;
    RunGuard runGuard_;
    std::string lastOpenName_;                        // the open dialog's name field starts with it
    std::map<std::string, std::string> driveFolders_; // drive -> folder last opened on it
};

} // namespace vorsa::ui
