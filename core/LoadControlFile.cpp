// The load sequences of the open button and of a file drop, and the start
// and the refusal that both readers share.
#include "CodePage.h"
#include "DiscReaders.h"
#include "Messages.h"
#include "TrackTable.h"
#include "WindowState.h"

#include <algorithm>

namespace vorsa
{

namespace
{

// Whether the name's last three characters are `kind` ("cue" or "ccd"),
// ASCII letters compared without regard to case: Windows treats file names
// that way, and discs written by older tools carry names such as DISC.CUE.
// The character before them is not looked at, so no dot is needed.
bool EndsInKind(std::string_view name, std::string_view kind)
{
    // Three characters of three bytes are single-byte ones: the trailing
    // byte of a double-byte character is never taken for a letter here.
    const std::string_view tail = text::LastChars(name, 3);
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return std::ranges::equal(tail, kind, {}, lower);
}

// The reader is chosen by the name's last three characters alone;
// everything not ending in "cue" is read as a .ccd file.
LoadResult ReadLoadedFile(WindowState &window)
{
    window.ClearSongList();
    const std::string controlFile = window.Text(TextControl::Label1);
    if (EndsInKind(controlFile, "cue"))
        return ReadCueSheet(window, controlFile);
    return ReadCcdFile(window, controlFile);
}

} // namespace

LoadResult LoadControlFile(WindowState &window, const std::string &path)
{
    window.SetText(TextControl::Label1, path);
    return ReadLoadedFile(window);
}

LoadResult LoadDroppedFile(WindowState &window, const std::string &droppedName)
{
    const std::string remembered = window.Text(TextControl::Label1);
    window.SetText(TextControl::Label1, droppedName);
    const std::string name = window.Text(TextControl::Label1);
    // Only the last three characters count: "rescue" and DISC.CUE are cue sheets.
    if (EndsInKind(name, "cue") || EndsInKind(name, "ccd"))
        return ReadLoadedFile(window);
    window.SetText(TextControl::Label1, remembered);
    return LoadResult::Refused;
}

void StartReading(WindowState &window)
{
    StartTrackTable();
    window.SetText(TextControl::Label2, "");
}

LoadResult RefuseDescription(WindowState &window, std::string_view message)
{
    window.ShowMessage(messages::Narrow(message));
    window.SetText(TextControl::Label1, "");
    window.SetText(TextControl::Label2, "");
    return LoadResult::Refused;
}

} // namespace vorsa
