#include "ConsoleWindow.h"

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

std::string ConsoleWindow::Text(TextControl control) const
{
    const auto found = texts_.find(control);
    return found == texts_.end() ? std::string() : found->second;
}

void ConsoleWindow::SetText(TextControl control, const std::string &text)
{
    texts_[control] = text;
    // A new status names the track that is starting; its bar starts empty.
    if (control == TextControl::Label7) {
        shownPercent_ = -1;
        SetProgress(0);
    }
}

void ConsoleWindow::ClearSongList()
{
    captions_.clear();
    checks_.clear();
}

void ConsoleWindow::AddSongListItem(const std::string &caption)
{
    captions_.push_back(caption);
    checks_.push_back(false);
}

int ConsoleWindow::SongListCount() const
{
    return static_cast<int>(captions_.size());
}

bool ConsoleWindow::ItemChecked(int index) const
{
    return index >= 0 && index < SongListCount() && checks_[static_cast<std::size_t>(index)];
}

void ConsoleWindow::Check(int index, bool checked)
{
    if (index >= 0 && index < SongListCount())
        checks_[static_cast<std::size_t>(index)] = checked;
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
    const std::string &status = texts_[TextControl::Label7];
    if (consoleIsTerminal_) {
        std::fprintf(console_, "\r%s %3d%%", status.c_str(), shownPercent_);
        progressLineOpen_ = true;
    } else {
        std::fprintf(console_, "%s %3d%%\n", status.c_str(), shownPercent_);
    }
    std::fflush(console_);
}

void ConsoleWindow::EndProgressLine()
{
    if (progressLineOpen_) {
        std::fputc('\n', console_);
        progressLineOpen_ = false;
    }
}

void ConsoleWindow::SetStopEnabled(bool enabled)
{
    stopEnabled_ = enabled;
}

void ConsoleWindow::ShowMessage(const std::string &text)
{
    EndProgressLine();
    const std::string line = text + "\n";
    std::fwrite(line.data(), 1, line.size(), console_);
    std::fflush(console_);
    messages_.push_back(text);
}

void ConsoleWindow::ProcessEvents()
{
    // As in the window, the stop button can only be pressed while it is enabled.
    if (stopEnabled_ && stopRequested_())
        Button1Click();
}

} // namespace vorsa::cli
