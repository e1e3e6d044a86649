// In-memory window for tests: the texts and the song list as vorsa-cli keeps
// them, plus a record of every message box, progress position and
// stop-button change, and a hook for what a click inside the event
// processing would do. Messages are kept in UTF-8, read back from the code
// page they were shown in, so that one expectation holds on every code page.
#pragma once

#include "InMemoryWindow.h"

#include <functional>
#include <string>
#include <vector>

namespace vorsa::testing
{

class MemoryWindow : public InMemoryWindow
{
public:
    void SetProgress(int position) override;
    void SetStopEnabled(bool enabled) override;
    void ShowMessage(const std::string &text) override;
    void ProcessEvents() override;

    // Ticks or unticks every item.
    void CheckAll(bool checked = true);
    const std::vector<std::string> &Messages() const { return messages_; }

    std::vector<int> progress;        // every position set
    std::vector<bool> stopEnabledLog; // every enable/disable
    int processEventsCalls = 0;
    // Runs inside ProcessEvents, as a click handled there would.
    std::function<void()> onProcessEvents;

private:
    std::vector<std::string> messages_;
};

} // namespace vorsa::testing
