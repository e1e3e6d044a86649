#include "TrackTable.h"

#include "CodePage.h"
#include "DiscFormat.h"
#include "NumberText.h"

namespace vorsa
{

std::array<std::string, kMaxTracks + 1> TrackStarts;
std::int16_t TrackCount = 0;

void StartTrackTable()
{
    TrackCount = 0;
}

bool StoreTrackStart(const std::function<std::string()> &discTime)
{
    // A description with more than 99 starts must not write past the last
    // slot; the extra starts are dropped and the first 99 still load.
    if (TrackCount >= kMaxTracks)
        return false;
    ++TrackCount;
    TrackStarts[static_cast<std::size_t>(TrackCount)] = discTime();
    return true;
}

bool StoreTrackStart(const std::string &discTime)
{
    return StoreTrackStart([&discTime] { return discTime; });
}

std::string SectorToDiscTime(std::int32_t sector)
{
    const std::int32_t wholeSeconds = sector / kFramesPerSecond;
    // Each field is kept in 16 bits, so a huge sector number gives wrapped
    // minutes rather than a longer text.
    const auto minutes = static_cast<std::int16_t>(wholeSeconds / 60);
    const auto seconds = static_cast<std::int16_t>(wholeSeconds % 60);
    const auto frames = static_cast<std::int16_t>(sector - wholeSeconds * kFramesPerSecond);
    return FormatPadded(minutes, 2) + ":" + FormatPadded(seconds, 2) + ":" +
           FormatPadded(frames, 2);
}

std::int32_t MsfToByteOffset(std::int32_t minutes, std::int32_t seconds, std::int32_t frames)
{
    // Two-character fields never overflow 32 bits; for any other input the
    // result wraps as 32-bit arithmetic does instead of being undefined.
    const std::int64_t offset = std::int64_t{minutes} * kBytesPerMinute +
                                std::int64_t{seconds} * kBytesPerSecond +
                                std::int64_t{frames} * kBytesPerSector;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(offset));
}

std::int32_t EntryMinutes(const std::string &entry)
{
    return StrToInt(text::MidChars(entry, 1, 2));
}

std::int32_t EntrySeconds(const std::string &entry)
{
    return StrToInt(text::MidChars(entry, 4, 2));
}

std::int32_t EntryFrames(const std::string &entry)
{
    return StrToInt(text::LastChars(entry, 2));
}

} // namespace vorsa
