#include "Commands.h"

#include "Console.h"
#include "ConsoleWindow.h"
#include "DiscReaders.h"
#include "Extraction.h"
#include "Interrupt.h"
#include "Messages.h"
#include "PathText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

namespace vorsa::cli
{

namespace
{

// The load sequence of the window's open action.
bool Load(ConsoleWindow &window, const std::string &path)
{
    return LoadControlFile(window, path) == LoadResult::Loaded;
}

// Runs a command against a console window and turns the errors that the
// window's default error display would show into their line and status 1.
// Not only VorsaError: whatever else escapes the core (out of memory) is
// shown the same way, as the window's display would.
template <typename Command> int WithConsoleWindow(Command command)
{
    ConsoleWindow window(stderr, IsTerminal(stderr), InterruptReceived);
    try {
        return command(window);
    } catch (const std::exception &error) {
        window.EndProgressLine();
        // Every byte of the message, past any NUL it holds.
        WriteText(stderr, messages::DisplayedErrorText(messages::ErrorMessage(error)) + "\n");
        return kErrorStatus;
    }
}

} // namespace

int RunList(const CommandLine &line)
{
    return WithConsoleWindow([&line](ConsoleWindow &window) {
        if (!Load(window, line.file))
            return kRefusedStatus;
        WriteText(stdout, window.Text(TextControl::Label2) + "\n");
        for (const std::string &caption : window.Captions())
            WriteText(stdout, caption + "\n");
        // A full disc or a closed pipe must not pass for a complete list.
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fprintf(stderr, "vorsa-cli: cannot write the list: %s\n", std::strerror(errno));
            return kErrorStatus;
        }
        return 0;
    });
}

int RunExtract(const CommandLine &line)
{
    return WithConsoleWindow([&line](ConsoleWindow &window) {
        if (!Load(window, line.file))
            return kRefusedStatus;
        const int trackCount = window.SongListCount();
        if (line.tracks.HighestTrack() > trackCount) {
            std::fprintf(stderr, "vorsa-cli: track %d is not on this disc, which has %d tracks\n",
                         line.tracks.HighestTrack(), trackCount);
            return kUsageStatus;
        }
        for (int index = 0; index < trackCount; ++index)
            window.Check(index, line.tracks.Contains(index + 1));
        window.SetText(TextControl::Edit1, line.prefix);
        // As the window's folder choice leaves it; an empty folder stays
        // empty, so that the extraction refuses it instead of writing into "/".
        window.SetText(TextControl::Label6, text::WithTrailingDelimiter(line.folder));
        // Ctrl-C during the load: nothing has been written yet, so stop here.
        if (InterruptReceived())
            return kInterruptedStatus;

        const RunResult result = ExtractCheckedTracks(window);
        window.EndProgressLine();
        if (result == RunResult::NotStarted)
            return kRefusedStatus;
        // A stopped run ends with the same message as a complete one; the
        // status tells a script that tracks may be missing. A Ctrl-C during
        // the last track, which the run no longer stops for, still counts.
        return result == RunResult::Stopped || InterruptReceived() ? kInterruptedStatus : 0;
    });
}

} // namespace vorsa::cli
