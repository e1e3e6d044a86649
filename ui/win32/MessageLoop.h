// The window's message loop: the program's loop, the pump that a run calls
// between its steps, work posted to run once the loop runs again, the
// window's keys, and the session's end.
#pragma once

#include "FormDesign.h"
#include "WinHandles.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace vorsa::win32
{

// Thrown out of the pump when the session ends during a run: the run
// unwinds, closing the track file it was writing, before Windows ends the
// process. The window procedure catches it, with nothing to tell anyone.
struct SessionEnding {
};

class MessageLoop
{
public:
    struct Keys {
        // The command that each key of the design sends the window.
        std::function<WORD(ui::Control button)> commandOf;
        // Whether the control with the keyboard keeps `message`'s key for itself.
        std::function<bool(const MSG &message)> keptByControl;
    };

    MessageLoop(HWND window, Keys keys);

    // Runs the program until the window is gone: its exit code.
    int Run();
    // One message: the window's keys first (accelerators, then Tab, Enter
    // and Esc among the controls), else dispatched.
    void Dispatch(MSG &message);
    // Handles what is waiting, and returns; a run calls it between its
    // steps, and it raises SessionEnding once the session ends under the run.
    void ProcessEvents();

    // Runs `work` once the loop runs again.
    void Post(std::function<void()> work);
    // The window's procedure hands its kPostedMessage here.
    static constexpr UINT kPostedMessage = WM_APP + 1;
    void RunPosted();

    // WM_QUERYENDSESSION: a run under way keeps the session.
    static LRESULT QueryEndSession(bool running) { return running ? FALSE : TRUE; }
    // WM_ENDSESSION: during a run, `stop` stops it, and the pump makes the
    // run unwind at its next turn.
    void EndSession(bool ending, bool running, const std::function<void()> &stop);

private:
    HWND window_;
    Keys keys_;
    UniqueAccelerators accelerators_;
    std::vector<std::function<void()>> posted_;
    bool sessionEnding_ = false; // during a run, until the pump has raised SessionEnding
};

} // namespace vorsa::win32
