#include "Extraction.h"

#include "DiscFormat.h"
#include "DiscImage.h"
#include "Errors.h"
#include "FileStream.h"
#include "Messages.h"
#include "NumberText.h"
#include "SectorCopier.h"
#include "TrackTable.h"
#include "WindowState.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace vorsa
{

bool AbortRequested = false;

namespace
{

// The file of the track being written, for a session's end that cannot wait
// for the run to unwind.
FileStream *runningTrack = nullptr;

class RunningTrack
{
public:
    explicit RunningTrack(FileStream &track) { runningTrack = &track; }
    ~RunningTrack() { runningTrack = nullptr; }
    RunningTrack(const RunningTrack &) = delete;
    RunningTrack &operator=(const RunningTrack &) = delete;
};

} // namespace

void Button1Click()
{
    AbortRequested = true;
}

namespace
{

void PutTag(std::uint8_t *at, const char (&tag)[5])
{
    std::copy(tag, tag + 4, at);
}

void PutLe16(std::uint8_t *at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLe32(std::uint8_t *at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

std::array<std::uint8_t, 36> WaveFormatHeader::Bytes() const
{
    std::array<std::uint8_t, 36> bytes{};
    PutTag(&bytes[0], "RIFF");
    PutLe32(&bytes[4], riffSize);
    PutTag(&bytes[8], "WAVE");
    PutTag(&bytes[12], "fmt ");
    PutLe32(&bytes[16], 16);                                          // format chunk size
    PutLe16(&bytes[20], 1);                                           // PCM
    PutLe16(&bytes[22], 2);                                           // channels
    PutLe32(&bytes[24], 44100);                                       // samples per second
    PutLe32(&bytes[28], static_cast<std::uint32_t>(kBytesPerSecond)); // 176400
    PutLe16(&bytes[32], 4);                                           // block align
    PutLe16(&bytes[34], 16);                                          // bits per sample
    return bytes;
}

std::array<std::uint8_t, 8> DataChunkHeader::Bytes() const
{
    std::array<std::uint8_t, 8> bytes{};
    PutTag(&bytes[0], "data");
    PutLe32(&bytes[4], dataSize);
    return bytes;
}

namespace
{

using Clock = std::chrono::steady_clock;

// The window gets a turn at least this often while a track is copied, so the
// stop button, the ticks and repaints stay live.
constexpr auto kMaxEventGap = std::chrono::milliseconds(10);

// Sectors moved between two looks at the clock. A block should take a few
// milliseconds at most, so that the window's turn comes on time: on a slow
// disk the blocks shrink until they do, down to one sector.
constexpr std::int64_t kBlockSectors = 892; // 2 MiB
constexpr auto kBlockBudget = std::chrono::milliseconds(4);

// Once enabled, the stop button is disabled again on every way out of a
// run, an error included.
class StopButtonGuard
{
public:
    explicit StopButtonGuard(WindowState &window) : window_(window) {}
    ~StopButtonGuard()
    {
        if (enabled_)
            window_.SetStopEnabled(false);
    }
    StopButtonGuard(const StopButtonGuard &) = delete;
    StopButtonGuard &operator=(const StopButtonGuard &) = delete;

    void Enable()
    {
        window_.SetStopEnabled(true);
        enabled_ = true;
    }

private:
    WindowState &window_;
    bool enabled_ = false;
};

// Position of a table entry in the image; the fields are converted frames
// first, so a faulty entry names the same field that it always has.
std::int32_t EntryPosition(const std::string &entry)
{
    const std::int32_t frames = EntryFrames(entry);
    const std::int32_t seconds = EntrySeconds(entry);
    const std::int32_t minutes = EntryMinutes(entry);
    return MsfToByteOffset(minutes, seconds, frames);
}

std::int32_t Progress(std::int64_t done, std::int64_t sectors)
{
    return static_cast<std::int32_t>(done * 100 / sectors);
}

// Copies sectors 1..sectors of a track in blocks. The window's events are
// processed before the first sector, then whenever the next block could
// take the wait past kMaxEventGap, and after the last; each time the
// progress bar shows i x 100 div sectors for the last sector i done.
// Between those points nothing is shown: a progress bar repaints itself at
// once when its value changes, and doing so for every step of every track
// costs more than the copy.
void CopySectors(WindowState &window, SectorCopier &copier, FileStream &track, std::int32_t start,
                 std::int32_t sectors)
{
    std::int32_t shown = -1;
    const auto show = [&](std::int64_t done) {
        const std::int32_t progress = Progress(done, sectors);
        if (progress != shown) {
            window.SetProgress(progress);
            shown = progress;
        }
    };

    window.ProcessEvents();
    auto lastEvents = Clock::now();
    std::int64_t done = 0;
    std::int64_t block = kBlockSectors;
    while (done < sectors) {
        const auto blockStart = Clock::now();
        const std::int64_t upTo = std::min<std::int64_t>(sectors, done + block);
        copier.Copy(track, start + done * kBytesPerSector, (upTo - done) * kBytesPerSector);
        done = upTo;
        const auto now = Clock::now();
        const auto took = now - blockStart;
        if (took > kBlockBudget) {
            const double share = std::chrono::duration<double>(kBlockBudget) / took;
            block = std::max<std::int64_t>(1, static_cast<std::int64_t>(block * share));
        } else if (took < kBlockBudget / 2) {
            block = std::min(kBlockSectors, block * 2);
        }
        const auto nextTakes = std::min<Clock::duration>(took, kBlockBudget);
        if (done < sectors && (now - lastEvents) + nextTakes >= kMaxEventGap) {
            show(done);
            window.ProcessEvents();
            lastEvents = Clock::now();
        }
    }
    show(sectors);
    // One more turn once the track is done, so that a stop asked for during
    // the copy's last block is seen before the next track's file is named,
    // rather than only after that file was made.
    window.ProcessEvents();
}

bool IsTicked(const WindowState &window, std::int16_t track)
{
    // A track with no song list item has nothing the user could have ticked.
    const int item = track - 1;
    return item < window.SongListCount() && window.ItemChecked(item);
}

// Writes one track; false when a stop was asked for while its file was new.
bool ExtractTrack(WindowState &window, std::int32_t imageSize, SectorCopier &copier,
                  WaveFormatHeader &format, DataChunkHeader &data, std::int16_t n)
{
    const std::string name = window.Text(TextControl::Label6) + window.Text(TextControl::Edit1) +
                             FormatPadded(n, 2) + ".wav";
    FileStream track(name, FileStream::Mode::Create);
    const RunningTrack running(track);

    window.SetText(TextControl::Label7,
                   std::to_string(n) + messages::Narrow(messages::kTrackSuffix));
    window.ProcessEvents();
    if (AbortRequested)
        return false; // the new file stays, empty

    // The table may have been reloaded with fewer tracks while events were
    // processed; a track past its end runs to the image's end, as the last
    // does, rather than reading beyond the table.
    const std::int32_t end =
        n >= TrackCount ? imageSize : EntryPosition(TrackStarts[static_cast<std::size_t>(n + 1)]);
    const std::int32_t start = n == 1 ? 0 : EntryPosition(TrackStarts[static_cast<std::size_t>(n)]);
    // In 64 bits: a table entry with a negative field could take the
    // difference past the 32-bit range.
    const std::int64_t span = static_cast<std::int64_t>(end) - start;
    const auto sectors =
        static_cast<std::int32_t>(std::max<std::int64_t>(span / kBytesPerSector, 0));

    data.dataSize = static_cast<std::uint32_t>(sectors) * kBytesPerSector;
    format.riffSize = data.dataSize + 36;
    const auto formatBytes = format.Bytes();
    WriteAll(track, formatBytes.data(), formatBytes.size());
    const auto dataBytes = data.Bytes();
    WriteAll(track, dataBytes.data(), dataBytes.size());

    if (sectors > 0)
        CopySectors(window, copier, track, start, sectors);
    track.Close();
    return true;
}

// False when a stop ended the run before a ticked track.
bool RunTracks(WindowState &window, DiscImage &image)
{
    WaveFormatHeader format;
    DataChunkHeader data;
    // Measured once, at the open: the last track ends here, and a shorter
    // image later on means that it changed under the run.
    const std::int32_t imageSize = image.Size();
    SectorCopier copier(image);
    // TrackCount is read again at every test: a change made while events are
    // processed reaches the tracks still to come.
    for (std::int16_t n = 1; n <= TrackCount; ++n) {
        if (!IsTicked(window, n))
            continue;
        if (AbortRequested)
            return false;
        if (!ExtractTrack(window, imageSize, copier, format, data, n))
            return false;
    }
    return true;
}

} // namespace

RunResult ExtractCheckedTracks(WindowState &window)
{
    for (const auto &[control, message] : {std::pair{TextControl::Label1, messages::kNoControlFile},
                                           std::pair{TextControl::Edit1, messages::kNoPrefix},
                                           std::pair{TextControl::Label6, messages::kNoFolder}}) {
        if (window.Text(control).empty()) {
            window.ShowMessage(messages::Narrow(message));
            return RunResult::NotStarted;
        }
    }

    RunResult result = RunResult::NotStarted;
    {
        // Declared first so that it acts last: the image is closed before
        // the button goes off, whatever ends the run.
        StopButtonGuard stopButton(window);
        DiscImage image(window.Text(TextControl::Label2));
        // Looked at before any track file is made: the image may have been
        // replaced since it was loaded.
        if (image.HoldsCdSound()) {
            AbortRequested = false;
            stopButton.Enable();
            result = RunTracks(window, image) ? RunResult::Finished : RunResult::Stopped;
        }
    }
    // Shown with the image closed, so that the user may mend it meanwhile.
    window.ShowMessage(messages::Narrow(result == RunResult::NotStarted ? messages::kNotCdWav
                                                                        : messages::kFinished));
    return result;
}

void CloseRunningTrackFile()
{
    if (!runningTrack)
        return;
    try {
        runningTrack->Close();
    } catch (const VorsaError &) {
        // The session ends whatever the system said of the close.
    }
}

} // namespace vorsa
