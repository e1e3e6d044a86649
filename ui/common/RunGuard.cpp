#include "RunGuard.h"

#include "Extraction.h"

#include <utility>

namespace vorsa::ui
{

namespace
{

// Whatever ends the run (its end, a stop, an error), the window is given
// back idle, and a close put off during the run is done.
class RunningScope
{
public:
    RunningScope(bool &running, bool &closeDeferred, const RunGuard::Hooks &hooks)
        : running_(running), closeDeferred_(closeDeferred), hooks_(hooks)
    {
        running_ = true;
        hooks_.showRunning(true);
    }
    ~RunningScope()
    {
        running_ = false;
        hooks_.showRunning(false);
        if (closeDeferred_) {
            closeDeferred_ = false;
            hooks_.closeLater();
        }
    }
    RunningScope(const RunningScope &) = delete;
    RunningScope &operator=(const RunningScope &) = delete;

private:
    bool &running_;
    bool &closeDeferred_;
    const RunGuard::Hooks &hooks_;
};

} // namespace

RunGuard::RunGuard(Hooks hooks) : hooks_(std::move(hooks)) {}

void RunGuard::Extract(WindowState &window)
{
    if (running_)
        return;
    RunningScope scope(running_, closeDeferred_, hooks_);
    ExtractCheckedTracks(window);
}

bool RunGuard::MayClose()
{
    if (!running_)
        return true;
    hooks_.stop();
    closeDeferred_ = true;
    return false;
}

} // namespace vorsa::ui
