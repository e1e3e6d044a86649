// The disc control file (.ccd) reader: three tests on a line's first eight
// characters, the image always beside it with the extension ".img".
#include "CodePage.h"
#include "DiscReaders.h"
#include "Messages.h"
#include "NumberText.h"
#include "PathText.h"
#include "TextFile.h"
#include "TrackTable.h"
#include "WindowState.h"

#include <string_view>

namespace vorsa
{

namespace
{

constexpr std::string_view kStartKey = "INDEX 1=";
constexpr std::string_view kAudioLine = "MODE=0";
constexpr std::string_view kSessionKey = "Session=";

// The start is counted before its sector is converted, so a bad number
// leaves the count including it; a full table takes no more starts, and
// their sectors are not converted.
void StoreStartLine(std::string_view line)
{
    StoreTrackStart([line] {
        // The key is plain ASCII, so its eight characters are its eight bytes.
        return SectorToDiscTime(StrToInt(line.substr(kStartKey.size())));
    });
}

} // namespace

LoadResult ReadCcdFile(WindowState &window, const std::string &path)
{
    bool audio = false;
    StartReading(window);
    bool multiSession = false;
    {
        TextFile file(path);
        window.SetText(TextControl::Label2, text::ReplaceExtension(path, ".img"));
        while (!file.Eof()) {
            const std::string line = file.ReadLine();
            // Eight characters are compared even with the six of "MODE=0",
            // so only a line that is exactly "MODE=0" counts.
            const std::string_view head = text::FirstChars(line, 8);
            if (head == kStartKey)
                StoreStartLine(line);
            if (head == kAudioLine)
                audio = true;
            if (head == kSessionKey && StrToInt(text::LastChar(line)) > 1)
                multiSession = true;
        }
    }
    if (!audio)
        return RefuseDescription(window, messages::kNotAudioCd);
    if (multiSession)
        return RefuseDescription(window, messages::kMultiSession);
    AddSongListEntries(window);
    return LoadResult::Loaded;
}

} // namespace vorsa
