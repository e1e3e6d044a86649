// The table of track start times shared by the readers, the song list and
// the extraction, and the arithmetic between sectors, disc time text
// (mm:ss:ff at 75 frames per second) and byte positions in the image.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace vorsa
{

inline constexpr int kMaxTracks = 99; // usable slots 1..99; slot 0 is never used

// Slot i (1 <= i <= TrackCount) holds the start of track i as disc time text.
extern std::array<std::string, kMaxTracks + 1> TrackStarts;
extern std::int16_t TrackCount;

// The table's only writers, used by the readers. A run starts the table
// afresh (count 0; the slots keep their texts), then adds its starts.
void StartTrackTable();
// Adds one start, as the readers do: count first, then store the text that
// `discTime` makes, so when making it raises, the count already includes the
// start. Starts beyond slot 99 are ignored, their text not even made;
// returns false for an ignored one.
bool StoreTrackStart(const std::function<std::string()> &discTime);
bool StoreTrackStart(const std::string &discTime);

// Sector count from the start of the image to "%.2d:%.2d:%.2d".
std::string SectorToDiscTime(std::int32_t sector);
// Byte position of a disc time, in 32-bit signed arithmetic.
std::int32_t MsfToByteOffset(std::int32_t minutes, std::int32_t seconds, std::int32_t frames);

// Fields of an entry, taken by position and converted on their own: minutes
// are characters 1-2, seconds 4-5, frames the last two characters.
std::int32_t EntryMinutes(const std::string &entry);
std::int32_t EntrySeconds(const std::string &entry);
std::int32_t EntryFrames(const std::string &entry);

} // namespace vorsa
