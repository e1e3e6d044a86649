#include "InMemoryWindow.h"

namespace vorsa
{

std::string InMemoryWindow::Text(TextControl control) const
{
    const auto found = texts_.find(control);
    return found == texts_.end() ? std::string() : found->second;
}

void InMemoryWindow::SetText(TextControl control, const std::string &text)
{
    texts_[control] = text;
}

void InMemoryWindow::ClearSongList()
{
    captions_.clear();
    checks_.clear();
}

void InMemoryWindow::AddSongListItem(const std::string &caption)
{
    captions_.push_back(caption);
    checks_.push_back(false);
}

int InMemoryWindow::SongListCount() const
{
    return static_cast<int>(captions_.size());
}

bool InMemoryWindow::ItemChecked(int index) const
{
    return index >= 0 && index < SongListCount() && checks_[static_cast<std::size_t>(index)];
}

void InMemoryWindow::SetStopEnabled(bool enabled)
{
    stopEnabled_ = enabled;
}

void InMemoryWindow::Check(int index, bool checked)
{
    if (index >= 0 && index < SongListCount())
        checks_[static_cast<std::size_t>(index)] = checked;
}

} // namespace vorsa
