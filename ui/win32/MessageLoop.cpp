#include "MessageLoop.h"

#include "Extraction.h"

#include <cstdlib>
#include <utility>

namespace vorsa::win32
{

MessageLoop::MessageLoop(HWND window, Keys keys) : window_(window), keys_(std::move(keys))
{
    std::vector<ACCEL> table;
    for (const ui::KeyDesign &key : ui::kKeys) {
        const BYTE modifiers = FVIRTKEY | (key.control ? FCONTROL : 0) | (key.shift ? FSHIFT : 0);
        const WORD code = key.key == ui::kEscape ? VK_ESCAPE : static_cast<WORD>(key.key);
        table.push_back({modifiers, code, keys_.commandOf(key.button)});
    }
    accelerators_.reset(::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size())));
}

int MessageLoop::Run()
{
    MSG message;
    BOOL got;
    while ((got = ::GetMessageW(&message, nullptr, 0, 0)) > 0)
        Dispatch(message);
    // Only WM_QUIT carries the exit code; after a failed call (-1) the
    // message holds nothing that was received.
    if (got == -1)
        return EXIT_FAILURE;
    return static_cast<int>(message.wParam);
}

void MessageLoop::Dispatch(MSG &message)
{
    // A key that the control keeps goes to it alone.
    if ((message.hwnd == window_ || ::IsChild(window_, message.hwnd)) &&
        !keys_.keptByControl(message)) {
        if (::TranslateAcceleratorW(window_, accelerators_.get(), &message))
            return;
        if (::IsDialogMessageW(window_, &message))
            return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

void MessageLoop::ProcessEvents()
{
    MSG message;
    while (!sessionEnding_ && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the loop that runs the program.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
    if (std::exchange(sessionEnding_, false))
        throw SessionEnding{};
}

void MessageLoop::Post(std::function<void()> work)
{
    posted_.push_back(std::move(work));
    ::PostMessageW(window_, kPostedMessage, 0, 0);
}

void MessageLoop::RunPosted()
{
    std::vector<std::function<void()>> posted = std::exchange(posted_, {});
    for (const std::function<void()> &work : posted)
        work();
}

void MessageLoop::EndSession(bool ending, bool running, const std::function<void()> &stop)
{
    if (!ending || !running)
        return;
    // The session ends anyway, and the process may end as soon as this
    // answer is given: the track file is closed now, and the run stops at
    // its next look at the window.
    sessionEnding_ = true;
    stop();
    CloseRunningTrackFile();
}

} // namespace vorsa::win32
