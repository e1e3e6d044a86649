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
    messages_.push_back(platform::ToUtf8(text));
}

void MemoryWindow::CheckAll(bool checked)
{
    for (int index = 0; index < SongListCount(); ++index)
        Check(index, checked);
}

void MemoryWindow::ProcessEvents()
{
    ++processEventsCalls;
    if (onProcessEvents)
        onProcessEvents();
}

} // namespace vorsa::testing
