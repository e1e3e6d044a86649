#include "MemoryWindow.h"

namespace vorsa::testing
{

std::string MemoryWindow::Text(TextControl control) const
{
    auto it = texts_.find(control);
    return it == texts_.end() ? std::string() : it->second;
}

void MemoryWindow::SetText(TextControl control, const std::string &text)
{
    texts_[control] = text;
}

void MemoryWindow::ClearSongList()
{
    items.clear();
}

void MemoryWindow::AddSongListItem(const std::string &caption)
{
    items.push_back({caption, false});
}

int MemoryWindow::SongListCount() const
{
    return static_cast<int>(items.size());
}

bool MemoryWindow::ItemChecked(int index) const
{
    return index >= 0 && index < SongListCount() && items[static_cast<std::size_t>(index)].checked;
}

void MemoryWindow::SetProgress(int position)
{
    progress.push_back(position);
}

void MemoryWindow::SetStopEnabled(bool enabled)
{
    stopEnabled = enabled;
    stopEnabledLog.push_back(enabled);
}

void MemoryWindow::ShowMessage(const std::string &text)
{
    messages.push_back(text);
}

void MemoryWindow::ProcessEvents()
{
    ++processEventsCalls;
    if (onProcessEvents)
        onProcessEvents();
}

void MemoryWindow::CheckAll(bool checked)
{
    for (auto &item : items)
        item.checked = checked;
}

void MemoryWindow::Check(int index, bool checked)
{
    items.at(static_cast<std::size_t>(index)).checked = checked;
}

std::vector<std::string> MemoryWindow::Captions() const
{
    std::vector<std::string> captions;
    for (const auto &item : items)
        captions.push_back(item.caption);
    return captions;
}

} // namespace vorsa::testing
