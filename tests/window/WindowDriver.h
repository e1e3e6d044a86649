// The window as the behaviour tests see it: the state its controls hold and
// the user's actions, one implementation per toolkit (the Qt window on
// Linux, the Win32 window on Windows). Dialogs and message boxes are
// answered and recorded; nothing blocks.
#pragma once

#include "FormDesign.h"
#include "WindowState.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorsa::testing
{

struct ShownMessage {
    std::string caption; // UTF-8, as shown
    std::string text;    // UTF-8, as shown
    bool error = false;  // the default exception display
};

// The window on its screen, in the pixels of the window's own coordinates.
struct ScreenLayout {
    int dpi = ui::kDesignDpi;       // the screen's (Qt's coordinates scale with it: 96)
    int layoutDpi = ui::kDesignDpi; // the form's, lower where the window would not fit
    ui::Rect workArea;              // screen coordinates, as the frame and the client area
    ui::Rect frame;
    ui::Rect client;
    bool fixedSize = false; // no resizing border, no maximise button
    // Each control of the design within the client area; a tool button within it too.
    std::vector<std::pair<ui::Control, ui::Rect>> controls;
};

// What a screen reader hears of a control: Qt's accessible interface, or
// the Win32 control's MSAA object. Texts in UTF-8.
enum class HeardRole {
    Other,
    PushButton,
    Label, // static text
    Edit,
    ComboBox,
    List, // a list, a list view or a tree of one level
    ProgressBar,
    Link,
    Group,
    ToolBar,
};
struct Heard {
    std::string name;
    HeardRole role = HeardRole::Other;
    std::string value; // a label's text, an edit's, a progress bar's position
    std::string keys;  // its keyboard shortcut, or else its description
    bool focusable = false;
};
struct HeardTrack {
    std::string name;      // its caption
    bool checkBox = false; // announced as something that can be ticked
    bool checked = false;
};

// The colours a control is painted in, read off the pixels it draws: the
// background is the colour most of them have, the text the one that stands
// out most from it.
struct Painted {
    ui::Colour text{};
    ui::Colour background{};
};

enum class Theme {
    Standard,     // the system's own colours as the tests find them
    Dark,         // a dark palette, as a dark desktop theme gives (Qt)
    HighContrast, // a high-contrast black colour set (Windows' contrast themes)
};

class WindowDriver
{
public:
    virtual ~WindowDriver() = default;

    // ---- state; texts in the process's code page, as the core holds them ----
    virtual std::string Text(TextControl control) const = 0;
    virtual std::vector<std::string> Captions() const = 0;
    virtual std::vector<bool> Ticks() const = 0;
    virtual int Progress() const = 0;
    virtual bool StopEnabled() const = 0;
    virtual bool OpenEnabled() const = 0;    // the open button
    virtual bool ExtractEnabled() const = 0; // the extract button
    virtual bool Running() const = 0;        // an extraction is under way
    virtual bool Shown() const = 0;          // the window is still open

    // ---- the user's actions ----
    // The open button's handler; the dialog answers `answer` (nullopt: cancel).
    virtual void Open(const std::optional<std::string> &answer) = 0;
    // Files dropped from the shell; false when the window took no drop.
    virtual bool Drop(const std::vector<std::string> &names) = 0;
    // The program started with `name` on its command line, its loop run.
    virtual void LoadNamed(const std::string &name) = 0;
    virtual void SetTick(int index, bool ticked) = 0;
    virtual void TickAll() = 0;
    virtual void UntickAll() = 0;
    virtual void SetPrefix(const std::string &prefix) = 0;
    // The folder list shows `folder`, no change signalled: the start-up state.
    virtual void ShowFolder(const std::string &folder) = 0;
    // The user opens the folder list's entry for `path`: Enter on it, or a double-click.
    virtual void OpenFolderEntry(const std::string &path) = 0;
    // The extract button's handler; returns when the run does.
    virtual void Extract() = 0;
    // A click on the stop button.
    virtual void Stop() = 0;
    // The close box; true when the window closed at once.
    virtual bool Close() = 0;
    // Lets the window handle what is waiting.
    virtual void RunPending() = 0;
    // Types `letters` into the folder list, which has the keyboard.
    virtual void TypeInFolderList(const std::string &letters) = 0;
    // The system's question before a logoff or shutdown: whether the window
    // lets the session end; nullopt where the toolkit does not ask it.
    virtual std::optional<bool> QueryEndSession() = 0;
    // The session ends, whatever the window answered.
    virtual void EndSession() = 0;

    // ---- the folder list and the screen ----
    // The path of the folder list's selected entry.
    virtual std::string SelectedFolderEntry() const = 0;
    virtual ScreenLayout Layout() const = 0;
    // Moves the window to a screen of `dpi` as the system does; false where
    // the toolkit takes its scale from elsewhere (Qt: QT_SCALE_FACTOR).
    virtual bool MoveToDpi(int dpi) = 0;

    // ---- as a screen reader, the keyboard and the eye meet it ----
    virtual Heard Hear(ui::Control control) const = 0;
    virtual std::vector<HeardTrack> HearTracks() const = 0;
    // How often a screen reader has been told that Label7 changed.
    virtual int StatusAnnouncements() const = 0;
    // The controls Tab walks through, from the song list round to it again.
    virtual std::vector<ui::Control> TabCycle() = 0;
    // Gives `control` the keyboard and presses `key` there: '\r' Enter,
    // ' ' Space, kEscape Esc.
    virtual void PressOn(ui::Control control, char key) = 0;
    // Opens or closes the drive selector's list, and whether it is open.
    virtual void DropDriveList(bool dropped) = 0;
    virtual bool DriveListDropped() const = 0;
    // The window repainted in `theme`; false where this toolkit has no such
    // theme. Each window starts in Standard.
    virtual bool UseTheme(Theme theme) = 0;
    // What `control` paints; for a list, its selected entry alone when `selectedEntry`.
    virtual Painted PaintedColours(ui::Control control, bool selectedEntry = false) = 0;

    // ---- watching ----
    // Runs inside each of a run's ProcessEvents calls (counted from 1),
    // before the window's events, as a click handled there would.
    std::function<void(int call)> probe;
    std::vector<ShownMessage> messages;
    std::vector<std::string> openInitialNames; // the name field's start, per open dialog
    std::vector<std::string> openFilters;      // the one filter entry's text (UTF-8), per dialog
    std::vector<std::string> openedAddresses;  // what the link asked the browser to open (UTF-8)
};

// The window of this build's toolkit, shown, with its dialogs answered.
std::unique_ptr<WindowDriver> MakeWindowDriver();

} // namespace vorsa::testing
