#include "DiscCase.h"

#include "DiscBuilder.h"
#include "DiscFormat.h"
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

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
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
constexpr std::int64_t kMaxOverrunBytes = 16 * kBytesPerSector;

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

// A table entry's position in the image, or nothing when a field does not
// convert (the extraction then fails before writing any data).
std::optional<std::int64_t> EntryBytes(const std::string &entry)
{
    try {
        return MsfToByteOffset(EntryMinutes(entry), EntrySeconds(entry), EntryFrames(entry));
    } catch (const VorsaError &) {
        return std::nullopt;
    }
}

struct TrackSpan {
    std::int64_t start = 0;
    std::int64_t bytes = 0; // whole sectors
    bool converts = true;
};

// What the extraction should copy for track n, worked out from the table.
TrackSpan ExpectedSpan(std::int16_t n, std::int64_t imageBytes)
{
    TrackSpan span;
    const auto start = n == 1 ? std::optional<std::int64_t>(0)
                              : EntryBytes(TrackStarts[static_cast<std::size_t>(n)]);
    const auto end = n >= TrackCount ? std::optional<std::int64_t>(imageBytes)
                                     : EntryBytes(TrackStarts[static_cast<std::size_t>(n + 1)]);
    if (!start || !end) {
        span.converts = false;
        return span;
    }
    span.start = *start;
    span.bytes = std::max<std::int64_t>(*end - *start, 0) / kBytesPerSector * kBytesPerSector;
    return span;
}

std::uint32_t Le32(const std::string &bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

// A track file is either empty (a stop came while it was new) or a whole
// WAV file whose header tells its own size.
void CheckTrackFile(const std::string &bytes)
{
    if (bytes.empty())
        return;
    FUZZ_CHECK(bytes.size() >= 44);
    const WaveFormatHeader format{static_cast<std::uint32_t>(bytes.size() - 8)};
    const DataChunkHeader data{static_cast<std::uint32_t>(bytes.size() - 44)};
    const auto formatBytes = format.Bytes();
    const auto dataBytes = data.Bytes();
    FUZZ_CHECK(std::memcmp(formatBytes.data(), bytes.data(), formatBytes.size()) == 0);
    FUZZ_CHECK(std::memcmp(dataBytes.data(), bytes.data() + 36, dataBytes.size()) == 0);
    FUZZ_CHECK(Le32(bytes, 4) + 8 == bytes.size() && Le32(bytes, 40) + 44 == bytes.size());
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
        allowed.push_back(!span.converts ||
                          (span.start >= -kMaxOverrunBytes &&
                           span.start + span.bytes <= imageBytes + kMaxOverrunBytes));
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
        FUZZ_CHECK(span.converts);
        const std::string bytes = testing::ReadWholeFile(TrackFilePath(folder, n));
        FUZZ_CHECK(static_cast<std::int64_t>(bytes.size()) == 44 + span.bytes);
        std::string expected(static_cast<std::size_t>(span.bytes), '\0');
        const std::int64_t from = std::clamp<std::int64_t>(span.start, 0, imageBytes);
        const std::int64_t to = std::clamp<std::int64_t>(span.start + span.bytes, 0, imageBytes);
        if (from < to)
            std::copy(image.begin() + from, image.begin() + to,
                      expected.begin() + (from - span.start));
        FUZZ_CHECK(bytes.compare(44, std::string::npos, expected) == 0);
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
    const std::string image = testing::PatternBytes(0, header.imageBytes);
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
