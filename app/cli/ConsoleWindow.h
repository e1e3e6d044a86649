// The window state of vorsa-cli: the texts and the song list live in memory,
// message boxes become lines on standard error, and the status and progress
// bar become one progress line there, redrawn in place on a terminal.
#pragma once

#include "WindowState.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace vorsa::cli
{

class ConsoleWindow : public WindowState
{
public:
    // `stopRequested` is asked each time the run lets events through; while
    // the stop button is enabled, a true answer presses it.
    ConsoleWindow(std::FILE *console, bool consoleIsTerminal, bool (*stopRequested)());

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

    void Check(int index, bool checked);
    const std::vector<std::string> &Captions() const { return captions_; }
    // Every message box shown, in order.
    const std::vector<std::string> &Messages() const { return messages_; }
    // Ends a progress line left open on the terminal, so that the next line
    // written to the console starts at its left edge.
    void EndProgressLine();

private:
    void ShowProgress();

    std::FILE *console_;
    bool consoleIsTerminal_;
    bool (*stopRequested_)();
    std::map<TextControl, std::string> texts_;
    std::vector<std::string> captions_;
    std::vector<bool> checks_;
    std::vector<std::string> messages_;
    bool stopEnabled_ = false;
    int shownPercent_ = -1; // -1: no progress shown for the current track
    bool progressLineOpen_ = false;
};

} // namespace vorsa::cli
