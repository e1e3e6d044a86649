#include "DiscCase.h"

#include "DiscBuilder.h"
#include "DiscReaders.h"
#include "Errors.h"
#include "Extraction.h"
#include "FuzzCheck.h"
#include "MemoryWindow.h"
#include "Messages.h"
#include "NumberText.h"
#include "OpenDescriptors.h"
#include "TempDir.h"
#include "TrackTable.h"
#include "WavExpectation.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vorsa::fuzz
{

namespace
{

using testing::MemoryWindow;
using testing::OpenDescriptorCount;

// Longest stretch before the image's start or past its end a ticked track
// may have: such stretches are written as zeros, and a few sectors of them
// are enough to check that.
constexpr std::int64_t kMaxOverrunBytes = 16 * testing::kSectorBytes;

enum class Click { None, Stop, Reload, ReloadThenStop };

struct DiscHeader {
    std::int64_t imageBytes = 0;
    std::uint8_t ticks = 0;
    Click click = Click::None;
    int clickTurn = 0;
    std::uint8_t reloadShare = 0;
};

DiscHeader ReadHeader(const std::uint8_t *data, std::size_t size)
{
    std::uint8_t bytes[kDiscHeaderBytes] = {};
    std::copy_n(data, std::min(size, kDiscHeaderBytes), bytes);
    DiscHeader header;
    header.imageBytes = (bytes[0] | bytes[1] << 8 | bytes[2] << 16) % (kMaxImageBytes + 1);
    header.ticks = bytes[3];
    header.click = static_cast<Click>(bytes[4] & 3);
    header.clickTurn = bytes[4] >> 2;
    header.reloadShare = bytes[5];
    return header;
}

// The judge's own reading of an entry's field, from the disc time rules and
// not from the program's converter: a field of one or two characters is a
// digit, two digits, a blank or a sign before a digit, or "$", "x" or "X"
// before a hexadecimal digit. Anything else does not convert.
std::optional<std::int64_t> JudgeField(std::string_view field)
{
    const auto digit = [](char c, int base) -> int {
        constexpr std::string_view lower = "0123456789abcdef";
        constexpr std::string_view upper = "0123456789ABCDEF";
        const std::size_t at = std::min(lower.find(c), upper.find(c));
        return at < static_cast<std::size_t>(base) ? static_cast<int>(at) : -1;
    };
    if (field.size() == 1 && digit(field[0], 10) >= 0)
        return digit(field[0], 10);
    if (field.size() != 2)
        return std::nullopt;
    const char first = field[0];
    const int second = digit(field[1], 10);
    if (digit(first, 10) >= 0 && second >= 0)
        return digit(first, 10) * 10 + second;
    if ((first == ' ' || first == '+') && second >= 0)
        return second;
    if (first == '-' && second >= 0)
        return -second;
    if ((first == '$' || first == 'x' || first == 'X') && digit(field[1], 16) >= 0)
        return digit(field[1], 16);
    return std::nullopt;
}

// What the judge knows of an entry's position in the image: its byte, that
// it does not convert (the extraction then fails before writing any data),
// or, for an entry with bytes beyond ASCII whose characters the code page
// decides, nothing.
struct JudgedEntry {
    bool known = true;
    std::optional<std::int64_t> bytes;
};

JudgedEntry JudgeEntry(const std::string &entry)
{
    if (std::any_of(entry.begin(), entry.end(),
                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return {false, std::nullopt};
    // Minutes are characters 1-2, seconds 4-5, frames the last two.
    const std::string_view text(entry);
    const auto minutes = JudgeField(text.substr(0, 2));
    const auto seconds = JudgeField(text.size() > 3 ? text.substr(3, 2) : std::string_view());
    const auto frames = JudgeField(text.size() > 2 ? text.substr(text.size() - 2) : text);
    if (!minutes || !seconds || !frames)
        return {true, std::nullopt};
    return {true, ((*minutes * 60 + *seconds) * 75 + *frames) * testing::kSectorBytes};
}

struct TrackSpan {
    bool known = true;
    std::int64_t start = 0;
    std::int64_t bytes = 0; // whole sectors
    bool converts = true;
};

// What the extraction should copy for track n, worked out from the table.
TrackSpan ExpectedSpan(std::int16_t n, std::int64_t imageBytes)
{
    TrackSpan span;
    const JudgedEntry start =
        n == 1 ? JudgedEntry{true, 0} : JudgeEntry(TrackStarts[static_cast<std::size_t>(n)]);
    const JudgedEntry end = n >= TrackCount
                                ? JudgedEntry{true, imageBytes}
                                : JudgeEntry(TrackStarts[static_cast<std::size_t>(n + 1)]);
    if (!start.known || !end.known) {
        span.known = false;
        return span;
    }
    if (!start.bytes || !end.bytes) {
        span.converts = false;
        return span;
    }
    span.start = *start.bytes;
    span.bytes = std::max<std::int64_t>(*end.bytes - *start.bytes, 0) / testing::kSectorBytes *
                 testing::kSectorBytes;
    return span;
}

// A track file is either empty (a stop came while it was new) or a whole
// WAV file whose header tells its own size.
void CheckTrackFile(const std::string &bytes)
{
    if (bytes.empty())
        return;
    FUZZ_CHECK(bytes.size() >= testing::kWavHeaderBytes);
    const auto dataBytes = static_cast<std::uint32_t>(bytes.size() - testing::kWavHeaderBytes);
    FUZZ_CHECK(bytes.compare(0, testing::kWavHeaderBytes, testing::ExpectedWavHeader(dataBytes)) ==
               0);
}

// A load that returned: either refused, with a message and nothing left to
// extract, or accepted in silence with one song list item per track.
void CheckLoadOutcome(const MemoryWindow &window, LoadResult result, std::size_t messagesBefore)
{
    FUZZ_CHECK(TrackCount >= 0 && TrackCount <= kMaxTracks);
    FUZZ_CHECK((result == LoadResult::Refused) == window.Text(TextControl::Label1).empty());
    if (result == LoadResult::Refused) {
        FUZZ_CHECK(window.Messages().size() > messagesBefore);
        FUZZ_CHECK(window.Text(TextControl::Label2).empty());
        FUZZ_CHECK(window.SongListCount() == 0);
    } else {
        FUZZ_CHECK(window.Messages().size() == messagesBefore);
        FUZZ_CHECK(!window.Text(TextControl::Label2).empty());
        FUZZ_CHECK(window.SongListCount() == std::max<int>(TrackCount, 1));
    }
}

// The window as the user would drive it: ticks from the input (kept off
// tracks that would run far past the image), and one click, of stop or of
// a reload, at a chosen turn of event processing.
class FuzzWindow : public MemoryWindow
{
public:
    FuzzWindow(const DiscHeader &header, std::string descriptionPath,
               std::string shorterDescription)
        : header_(header), descriptionPath_(std::move(descriptionPath)),
          shorterDescription_(std::move(shorterDescription))
    {
    }

    void AddSongListItem(const std::string &caption) override
    {
        MemoryWindow::AddSongListItem(caption);
        if (ticking_)
            TickFromInput(SongListCount() - 1);
    }

    void ProcessEvents() override
    {
        MemoryWindow::ProcessEvents();
        if (processEventsCalls - 1 != header_.clickTurn)
            return;
        if (header_.click == Click::Reload || header_.click == Click::ReloadThenStop)
            Reload();
        if (header_.click == Click::Stop || header_.click == Click::ReloadThenStop)
            Button1Click();
    }

    // Ticks the loaded list; later loads tick their items as they come.
    void StartTicking(std::vector<bool> allowed)
    {
        allowed_ = std::move(allowed);
        ticking_ = true;
        for (int i = 0; i < SongListCount(); ++i)
            TickFromInput(i);
    }

    bool reloaded = false;

private:
    void TickFromInput(int item)
    {
        const auto index = static_cast<std::size_t>(item);
        const bool allowed = index < allowed_.size() && allowed_[index];
        Check(item, allowed && (header_.ticks >> (item % 8) & 1) != 0);
    }

    // A load handled inside the event loop: its errors are shown, as the
    // window shows them, and never reach the run that is under way.
    void Reload()
    {
        reloaded = true;
        testing::WriteWholeFile(descriptionPath_, shorterDescription_);
        const std::size_t messagesBefore = Messages().size();
        try {
            CheckLoadOutcome(*this, LoadControlFile(*this, descriptionPath_), messagesBefore);
        } catch (const VorsaError &error) {
            ShowMessage(error.what());
        }
        FUZZ_CHECK(TrackCount >= 0 && TrackCount <= kMaxTracks);
    }

    DiscHeader header_;
    std::string descriptionPath_;
    std::string shorterDescription_;
    std::vector<bool> allowed_;
    bool ticking_ = false;
};

// The tracks the window may tick: those whose data stays near the image.
std::vector<bool> TracksNearImage(std::int64_t imageBytes)
{
    std::vector<bool> allowed;
    for (std::int16_t n = 1; n <= std::max<std::int16_t>(TrackCount, 1); ++n) {
        const TrackSpan span = ExpectedSpan(n, imageBytes);
        allowed.push_back(span.known && (!span.converts || (span.start >= -kMaxOverrunBytes &&
                                                            span.start + span.bytes <=
                                                                imageBytes + kMaxOverrunBytes)));
    }
    return allowed;
}

std::string TrackFilePath(const std::string &folder, std::int16_t n)
{
    return folder + "p" + FormatPadded(n, 2) + ".wav";
}

// The track that the status line names ("3曲目"), 0 before the first.
std::int16_t TrackInStatus(const MemoryWindow &window)
{
    const std::string status = window.Text(TextControl::Label7);
    const std::size_t digits = status.find_first_not_of("0123456789");
    return status.empty() || digits == 0
               ? 0
               : static_cast<std::int16_t>(std::stoi(status.substr(0, digits)));
}

// A run that ended in its message, untouched by clicks, wrote every ticked
// track whole: the image's sectors, zeros outside it.
void CheckFinishedRun(const MemoryWindow &window, const std::string &folder,
                      const std::string &image)
{
    const auto imageBytes = static_cast<std::int64_t>(image.size());
    for (std::int16_t n = 1; n <= TrackCount; ++n) {
        if (!window.ItemChecked(n - 1))
            continue;
        const TrackSpan span = ExpectedSpan(n, imageBytes);
        FUZZ_CHECK(span.known && span.converts);
        std::string expected(static_cast<std::size_t>(span.bytes), '\0');
        const std::int64_t from = std::clamp<std::int64_t>(span.start, 0, imageBytes);
        const std::int64_t to = std::clamp<std::int64_t>(span.start + span.bytes, 0, imageBytes);
        if (from < to)
            std::copy(image.begin() + from, image.begin() + to,
                      expected.begin() + (from - span.start));
        FUZZ_CHECK(testing::WavMismatch(testing::ReadWholeFile(TrackFilePath(folder, n)),
                                        testing::ExpectedWavFile(expected))
                       .empty());
    }
}

} // namespace

void RunDiscCase(const DiscNames &names, const std::uint8_t *data, std::size_t size)
{
    const DiscHeader header = ReadHeader(data, size);
    const std::string description =
        size > kDiscHeaderBytes
            ? std::string(reinterpret_cast<const char *>(data) + kDiscHeaderBytes,
                          size - kDiscHeaderBytes)
            : std::string();

    ClearScratchFolder();
    const std::string &scratch = ScratchFolder();
    const std::string descriptionPath = scratch + "/" + std::string(names.description);
    const std::string imagePath = scratch + "/" + std::string(names.image);
    const std::string outFolder = scratch + "/out/";
    testing::WriteWholeFile(descriptionPath, description);
    const std::string image =
        testing::PatternBytes(testing::PatternSeed(imagePath), 0, header.imageBytes);
    testing::WriteWholeFile(imagePath, image);
    std::filesystem::create_directory(outFolder);

    const std::size_t descriptorsBefore = OpenDescriptorCount();
    TrackCount = 0;
    AbortRequested = false;

    const std::string shorter =
        description.substr(0, description.size() * header.reloadShare / 255);
    FuzzWindow window(header, descriptionPath, shorter);
    window.SetText(TextControl::Label6, outFolder);
    window.SetText(TextControl::Edit1, "p");

    std::optional<LoadResult> loaded;
    std::string unfinishedTrack; // the track a failed run was writing
    try {
        loaded = LoadControlFile(window, descriptionPath);
    } catch (const VorsaError &) {
        // Shown by the window; what the labels then hold is not pinned.
    } catch (...) {
        Fail("an error of another type left the load", __FILE__, __LINE__);
    }
    FUZZ_CHECK(TrackCount >= 0 && TrackCount <= kMaxTracks);
    FUZZ_CHECK(OpenDescriptorCount() == descriptorsBefore);

    if (loaded) {
        CheckLoadOutcome(window, *loaded, 0);
        if (*loaded == LoadResult::Loaded) {
            // The image the reader chose: the one written for it, or another
            // file of the folder that the description's name led to.
            const std::string chosenImage =
                testing::ReadWholeFile(window.Text(TextControl::Label2));
            window.StartTicking(TracksNearImage(static_cast<std::int64_t>(chosenImage.size())));
            bool failed = false;
            std::optional<RunResult> result;
            try {
                result = ExtractCheckedTracks(window);
            } catch (const VorsaError &) {
                failed = true;
                unfinishedTrack = TrackFilePath(outFolder, TrackInStatus(window));
            } catch (...) {
                Fail("an error of another type left the extraction", __FILE__, __LINE__);
            }
            FUZZ_CHECK(TrackCount >= 0 && TrackCount <= kMaxTracks);
            FUZZ_CHECK(OpenDescriptorCount() == descriptorsBefore);
            FUZZ_CHECK(!window.StopEnabled());
            // A run that started ends with its message, stopped or not.
            FUZZ_CHECK(result.has_value() != failed);
            FUZZ_CHECK(!result || (*result != RunResult::NotStarted && !window.Messages().empty() &&
                                   window.Messages().back() == messages::kFinished));
            if (result == RunResult::Finished && header.click == Click::None)
                CheckFinishedRun(window, outFolder, chosenImage);
        }
    }

    for (const auto &entry : std::filesystem::directory_iterator(outFolder)) {
        if (entry.path() != unfinishedTrack)
            CheckTrackFile(testing::ReadWholeFile(entry.path()));
    }
    FUZZ_CHECK(testing::ReadWholeFile(imagePath) == image);
    FUZZ_CHECK(testing::ReadWholeFile(descriptionPath) ==
               (window.reloaded ? shorter : description));
}

} // namespace vorsa::fuzz
