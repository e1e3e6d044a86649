// The load sequence shared by the open button and a file drop, and the
// refusal that both readers end with.
#include "CodePage.h"
#include "DiscReaders.h"
#include "WindowState.h"

namespace vorsa
{

void LoadControlFile(WindowState &window, const std::string &path)
{
    window.SetText(TextControl::Label1, path);
    window.ClearSongList();
    // The reader is chosen by the name's last three characters alone, with
    // no dot required; everything not ending in "cue" is read as a .ccd file.
    const std::string controlFile = window.Text(TextControl::Label1);
    if (text::LastChars(controlFile, 3) == "cue")
        ReadCueSheet(window, controlFile);
    else
        ReadCcdFile(window, controlFile);
}

void RefuseDescription(WindowState &window, std::string_view message)
{
    window.ShowMessage(std::string(message));
    window.SetText(TextControl::Label1, "");
    window.SetText(TextControl::Label2, "");
}

} // namespace vorsa
