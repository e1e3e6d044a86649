// A window whose texts and song list live in memory, for the front ends
// that have no controls to hold them: vorsa-cli's console and the tests'
// window extend it with what they do on progress, messages and events.
#pragma once

#include "WindowState.h"

#include <map>
#include <string>
#include <vector>

namespace vorsa
{

class InMemoryWindow : public WindowState
{
public:
    std::string Text(TextControl control) const override;
    void SetText(TextControl control, const std::string &text) override;
    void ClearSongList() override;
    void AddSongListItem(const std::string &caption) override;
    int SongListCount() const override;
    bool ItemChecked(int index) const override;
    void SetStopEnabled(bool enabled) override;

    // Ticks or unticks item `index`; an index with no item changes nothing.
    void Check(int index, bool checked = true);

    const std::vector<std::string> &Captions() const { return captions_; }
    bool StopEnabled() const { return stopEnabled_; }

private:
    std::map<TextControl, std::string> texts_;
    std::vector<std::string> captions_;
    std::vector<bool> checks_;
    bool stopEnabled_ = false;
};

} // namespace vorsa
