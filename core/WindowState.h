// The few operations through which disc reading and extraction reach the
// window. The Qt window, the console front end and the tests' in-memory
// window all implement it.
#pragma once

#include <string>

namespace vorsa
{

enum class TextControl {
    Label1, // path of the loaded cue sheet or .ccd file
    Label2, // path of the raw image
    Label6, // destination folder, ending in the path delimiter
    Label7, // extraction status
    Edit1,  // file-name prefix
};

class WindowState
{
public:
    virtual ~WindowState() = default;

    virtual std::string Text(TextControl control) const = 0;
    virtual void SetText(TextControl control, const std::string &text) = 0;

    virtual void ClearSongList() = 0;
    virtual void AddSongListItem(const std::string &caption) = 0;
    virtual int SongListCount() const = 0;
    // Tick of item `index` (from 0); false for an index with no item.
    virtual bool ItemChecked(int index) const = 0;

    virtual void SetProgress(int position) = 0; // 0 to 100
    virtual void SetStopEnabled(bool enabled) = 0;

    // Modal message box with one OK button; returns when it is closed.
    virtual void ShowMessage(const std::string &text) = 0;
    // Lets the window handle what is pending (clicks, repaints), once.
    virtual void ProcessEvents() = 0;
};

} // namespace vorsa
