#include "Commands.h"

#include "CodePage.h"
#include "ConsoleWindow.h"
#include "DiscReaders.h"
#include "Extraction.h"
#include "Interrupt.h"
#include "Messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <sysexits.h>
#include <unistd.h>

namespace vorsa::cli
{

namespace
{

// The load sequence of the window's open action. The readers refuse a file
// by showing a message and emptying Label1; either one tells the refusal.
bool Load(ConsoleWindow &window, const std::string &path)
{
    LoadControlFile(window, path);
    return window.Messages().empty() && !window.Text(TextControl::Label1).empty();
}

// The destination folder as the window's folder choice leaves it: ending in
// the path delimiter. An empty folder stays empty, so that the extraction
// refuses it instead of writing into "/".
std::string FolderWithDelimiter(const std::string &folder)
{
    if (folder.empty() || text::LastChar(folder) == "/")
        return folder;
    return folder + "/";
}

// Runs a command against a console window and turns the errors that the
// window's default error display would show into their line and status 1.
// Not only VorsaError: whatever else escapes the core (out of memory) is
// shown the same way, as the window's display would.
template <typename Command> int WithConsoleWindow(Command command)
{
    ConsoleWindow window(stderr, isatty(STDERR_FILENO) == 1, InterruptReceived);
    try {
        return command(window);
    } catch (const std::exception &error) {
        window.EndProgressLine();
        // Every byte of the message, past any NUL it holds.
        const std::string line = messages::DisplayedErrorText(messages::ErrorMessage(error)) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        return kErrorStatus;
    }
}

} // namespace

int RunList(const CommandLine &line)
{
    return WithConsoleWindow([&line](ConsoleWindow &window) {
        if (!Load(window, line.file))
            return kRefusedStatus;
        std::printf("%s\n", window.Text(TextControl::Label2).c_str());
        for (const std::string &caption : window.Captions())
            std::printf("%s\n", caption.c_str());
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
            return EX_USAGE;
        }
        for (int index = 0; index < trackCount; ++index)
            window.Check(index, line.tracks.Contains(index + 1));
        window.SetText(TextControl::Edit1, line.prefix);
        window.SetText(TextControl::Label6, FolderWithDelimiter(line.folder));
        // Ctrl-C during the load: nothing has been written yet, so stop here.
        if (InterruptReceived())
            return kInterruptedStatus;

        ExtractCheckedTracks(window);
        window.EndProgressLine();
        const bool finished =
            !window.Messages().empty() && window.Messages().back() == messages::kFinished;
        if (!finished)
            return kRefusedStatus;
        // A stopped run ends with the same message as a complete one; the
        // status tells a script that tracks may be missing.
        return InterruptReceived() ? kInterruptedStatus : 0;
    });
}

} // namespace vorsa::cli
