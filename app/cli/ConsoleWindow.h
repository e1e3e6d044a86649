// The window state of vorsa-cli: the texts and the song list live in memory,
// message boxes become lines on standard error, and the status and progress
// bar become one progress line there, redrawn in place on a terminal.
#pragma once

#include "InMemoryWindow.h"

#include <cstdio>
#include <string>

namespace vorsa::cli
{

class ConsoleWindow : public InMemoryWindow
{
public:
    // `stopRequested` is asked each time the run lets events through; while
    // the stop button is enabled, a true answer presses it.
    ConsoleWindow(std::FILE *console, bool consoleIsTerminal, bool (*stopRequested)());

    void SetText(TextControl control, const std::string &text) override;
    void SetProgress(int position) override;
    void ShowMessage(const std::string &text) override;
    void ProcessEvents() override;

    // Ends a progress line left open on the terminal, so that the next line
    // written to the console starts at its left edge.
    void EndProgressLine();

private:
    void ShowProgress();

    std::FILE *console_;
    bool consoleIsTerminal_;
    bool (*stopRequested_)();
    int shownPercent_ = -1; // -1: no progress shown for the current track
    bool progressLineOpen_ = false;
};

} // namespace vorsa::cli
