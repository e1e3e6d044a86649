#include "ConsoleWindow.h"

#include "Console.h"
#include "Extraction.h"

namespace vorsa::cli
{

namespace
{

// Off a terminal (a log file, a pipe) a line per percent of every track
// would bury everything else; a line per tenth is enough to follow a run.
constexpr int kLoggedPercentStep = 10;

} // namespace

ConsoleWindow::ConsoleWindow(std::FILE *console, bool consoleIsTerminal, bool (*stopRequested)())
    : console_(console), consoleIsTerminal_(consoleIsTerminal), stopRequested_(stopRequested)
{
}

void ConsoleWindow::SetText(TextControl control, const std::string &text)
{
    InMemoryWindow::SetText(control, text);
    // A new status names the track that is starting; its bar starts empty.
    if (control == TextControl::Label7) {
        shownPercent_ = -1;
        SetProgress(0);
    }
}

void ConsoleWindow::SetProgress(int position)
{
    // Only a change the user would notice is drawn: every percent on a
    // terminal, every tenth elsewhere.
    const bool changed = consoleIsTerminal_
                             ? position != shownPercent_
                             : shownPercent_ < 0 || position / kLoggedPercentStep !=
                                                        shownPercent_ / kLoggedPercentStep;
    if (!changed)
        return;
    shownPercent_ = position;
    ShowProgress();
}

void ConsoleWindow::ShowProgress()
{
    char percent[8];
    std::snprintf(percent, sizeof percent, " %3d%%", shownPercent_);
    const std::string status = Text(TextControl::Label7) + percent;
    if (consoleIsTerminal_) {
        WriteText(console_, "\r" + status);
        progressLineOpen_ = true;
    } else {
        WriteText(console_, status + "\n");
    }
    std::fflush(console_);
}

void ConsoleWindow::EndProgressLine()
{
    if (progressLineOpen_) {
        WriteText(console_, "\n");
        progressLineOpen_ = false;
    }
}

void ConsoleWindow::ShowMessage(const std::string &text)
{
    EndProgressLine();
    WriteText(console_, text + "\n");
    std::fflush(console_);
}

void ConsoleWindow::ProcessEvents()
{
    // As in the window, the stop button can only be pressed while it is enabled.
    if (StopEnabled() && stopRequested_())
        Button1Click();
}

} // namespace vorsa::cli
