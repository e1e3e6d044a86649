#include "MemoryWindow.h"

#include "platform/SystemText.h"

namespace vorsa::testing
{

void MemoryWindow::SetProgress(int position)
{
    progress.push_back(position);
}

void MemoryWindow::SetStopEnabled(bool enabled)
{
    InMemoryWindow::SetStopEnabled(enabled);
    stopEnabledLog.push_back(enabled);
}

void MemoryWindow::ShowMessage(const std::string &text)
{
    InMemoryWindow::ShowMessage(platform::ToUtf8(text));
}

void MemoryWindow::ProcessEvents()
{
    ++processEventsCalls;
    if (onProcessEvents)
        onProcessEvents();
}

} // namespace vorsa::testing
