// What the form's actions ask of a window beyond the state its controls
// hold: each window, Qt's and Win32's, is this passive view over its own
// controls, and FormActions decides what every button, drop and folder
// change does.
#pragma once

#include "WindowState.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vorsa::ui
{

class FormView : public WindowState
{
public:
    // The open dialog, for one file that need not exist: its one filter
    // entry shows `filterShown` (UTF-8) and lets through `patterns` (";"
    // between them); its name field starts with `initialName`. The chosen
    // name in the process's code page; nullopt for a cancel.
    virtual std::optional<std::string> ChooseOpenFile(std::string_view filterShown,
                                                      std::string_view patterns,
                                                      const std::string &initialName) = 0;
    // Ticks or unticks song list item `index` (from 0).
    virtual void SetItemChecked(int index, bool checked) = 0;

    // Runs `work` once the event loop runs again, after the event being
    // handled; what `work` raises is shown by the default exception display.
    virtual void Post(std::function<void()> work) = 0;
    // The open and extract commands, and drops, on between runs and off during one.
    virtual void ShowRunning(bool running) = 0;
    // Closes the window once the current event has been handled.
    virtual void CloseLater() = 0;
    // Opens `address` (UTF-8) in the user's web browser; a failure is not reported.
    virtual void OpenAddress(std::string_view address) = 0;

    // ---- the folder list and the drive selector ----
    // The folder list's current folder, without a trailing delimiter but a root's.
    virtual std::string FolderListDirectory() const = 0;
    // Makes `folder` the folder list's current folder and the process's
    // current directory. A folder that cannot be entered raises the
    // input/output error and changes nothing.
    virtual void EnterFolder(const std::string &folder) = 0;
    // The drive selector shows the drive that holds `folder`.
    virtual void ShowDriveOf(const std::string &folder) = 0;
    // The drive, as the selector lists it, that holds `folder`.
    virtual std::string DriveOf(const std::string &folder) const = 0;
    // The root folder of `drive`.
    virtual std::string DriveRoot(const std::string &drive) const = 0;
    // Where a drive not opened yet is entered: the folder the system keeps
    // for it (Windows), or its root.
    virtual std::string StartFolderOf(const std::string &drive) const = 0;
};

} // namespace vorsa::ui
