// The cue sheet reader: three plain substring tests per line, no grammar.
#include "CodePage.h"
#include "DiscReaders.h"
#include "Messages.h"
#include "PathText.h"
#include "TextFile.h"
#include "TrackTable.h"
#include "WindowState.h"

#include <string_view>

namespace vorsa
{

namespace
{

bool Contains(std::string_view line, std::string_view what)
{
    return line.find(what) != std::string_view::npos;
}

// The image lies beside the cue sheet under the sheet's own name; only the
// last four characters of the quoted name are kept, as its extension.
std::string ImagePathFromFileLine(const std::string &cuePath, const std::string &line)
{
    const std::ptrdiff_t q1 = FindCharFrom(1, "\"", line);
    const std::ptrdiff_t q2 = FindCharFrom(q1 + 1, "\"", line);
    const std::string_view name = text::MidChars(line, q1 + 1, q2 - q1 - 1);
    return text::ReplaceExtension(cuePath, text::LastChars(name, 4));
}

// An INDEX 01 line has its first "1" in the index number, with the blank and
// the eight-character time after it; INDEX 00 and 02 have theirs in the time.
// Positions are kept wide so that lines of any length follow the same rule.
bool IsStartLine(std::string_view line)
{
    if (!Contains(line, "INDEX"))
        return false;
    const std::size_t firstOne = line.find('1');
    const std::ptrdiff_t p =
        firstOne == std::string_view::npos ? 0 : static_cast<std::ptrdiff_t>(firstOne) + 1;
    const auto length = static_cast<std::ptrdiff_t>(line.size());
    return p > 0 && p < length - 8;
}

} // namespace

std::ptrdiff_t FindCharFrom(std::ptrdiff_t start, const std::string &what, const std::string &line)
{
    const auto length = static_cast<std::ptrdiff_t>(line.size());
    if (length - start < 0)
        return 0;
    // A character position never exceeds the byte length, so the search by
    // character covers every position the byte bound allows.
    return text::FindChar(line, what, start);
}

LoadResult ReadCueSheet(WindowState &window, const std::string &path)
{
    bool audio = false;
    StartReading(window);
    {
        TextFile file(path);
        while (!file.Eof()) {
            const std::string line = file.ReadLine();
            if (Contains(line, "FILE"))
                window.SetText(TextControl::Label2, ImagePathFromFileLine(path, line));
            if (Contains(line, "AUDIO"))
                audio = true;
            if (IsStartLine(line))
                StoreTrackStart(std::string(text::LastChars(line, 8)));
        }
    }
    if (!audio)
        return RefuseDescription(window, messages::kNotAudioCd);
    AddSongListEntries(window);
    return LoadResult::Loaded;
}

} // namespace vorsa
