// What a window refuses or puts off while an extraction runs. The run
// processes the window's events, so its handlers run inside it: a load or a
// second run would change the track table and the song list under it. Ticks,
// the prefix and the folder stay usable and reach the tracks still to come.
#pragma once

#include <functional>

namespace vorsa
{
class WindowState;
}

namespace vorsa::ui
{

class RunGuard
{
public:
    struct Hooks {
        // Shows whether a run is under way: the open and extract buttons off during it.
        std::function<void(bool running)> showRunning;
        // The stop button's action.
        std::function<void()> stop;
        // Closes the window once the current event has been handled.
        std::function<void()> closeLater;
    };

    explicit RunGuard(Hooks hooks);

    bool Running() const { return running_; }
    // Open, drop and the command line's load are taken only between runs.
    bool MayLoad() const { return !running_; }

    // The extract action: runs the extraction unless one is under way.
    void Extract(WindowState &window);

    // A close asked for: true when the window may close now. During a run the
    // run is stopped as the stop button stops it, after the current track,
    // and the window closes when the run has returned.
    bool MayClose();

private:
    Hooks hooks_;
    bool running_ = false;
    bool closeDeferred_ = false;
};

} // namespace vorsa::ui
