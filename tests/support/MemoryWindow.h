// In-memory window for tests: holds the texts, the song list with its ticks,
// and records every message box and progress position.
#pragma once

#include "WindowState.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vorsa::testing
{

struct SongItem {
    std::string caption;
    bool checked = false;
};

class MemoryWindow : public WindowState
{
public:
    std::string Text(TextControl control) const override;
    void SetText(TextControl control, const std::string &text) override;
    void ClearSongList() override;
    void AddSongListItem(const std::string &caption) override;
    int SongListCount() const override;
    bool ItemChecked(int index) const override;
    void SetProgress(int position) override;
    void SetStopEnabled(bool enabled) override;
    void ShowMessage(const std::string &text) override;
    void ProcessEvents() override;

    void CheckAll(bool checked = true);
    void Check(int index, bool checked = true);
    std::vector<std::string> Captions() const;

    std::vector<SongItem> items;
    std::vector<std::string> messages;
    std::vector<int> progress;        // every position set
    std::vector<bool> stopEnabledLog; // every enable/disable
    bool stopEnabled = false;
    int processEventsCalls = 0;
    // Runs inside ProcessEvents, as a click handled there would.
    std::function<void()> onProcessEvents;

private:
    std::map<TextControl, std::string> texts_;
};

} // namespace vorsa::testing
