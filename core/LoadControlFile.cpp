// The load sequences of the open button and of a file drop, and the start
// and the refusal that both readers share.
#include "CodePage.h"
#include "DiscReaders.h"
#include "Messages.h"
#include "TrackTable.h"
#include "WindowState.h"

namespace vorsa
{

namespace
{

// The reader is chosen by the name's last three characters alone, with no
// dot required; everything not ending in "cue" is read as a .ccd file.
LoadResult ReadLoadedFile(WindowState &window)
{
    window.ClearSongList();
    const std::string controlFile = window.Text(TextControl::Label1);
    if (text::LastChars(controlFile, 3) == "cue")
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
    // Only the last three characters count: "rescue" is a cue sheet, DISC.CUE is not.
    const std::string_view tail = text::LastChars(name, 3);
    if (tail == "cue" || tail == "ccd")
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
