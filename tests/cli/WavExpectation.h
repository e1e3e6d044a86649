// What a track file must hold, built here from the WAV layout and the disc
// pattern, never from the program's own output.
#pragma once

#include "DiscBuilder.h"

#include <cstdint>
#include <string>

namespace vorsa::testing
{

inline constexpr std::int64_t kSectorBytes = 2352;

inline std::string Le(std::uint32_t value, int width)
{
    std::string bytes;
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

// 44-byte header (PCM, 2 channels, 44100 Hz, 16 bits) and the sectors
// [firstSector, firstSector + sectors) of the pattern image.
inline std::string ExpectedTrackFile(std::int64_t firstSector, std::int64_t sectors)
{
    const auto dataSize = static_cast<std::uint32_t>(sectors * kSectorBytes);
    return "RIFF" + Le(dataSize + 36, 4) + "WAVE" + "fmt " + Le(16, 4) + Le(1, 2) + Le(2, 2) +
           Le(44100, 4) + Le(176400, 4) + Le(4, 2) + Le(16, 2) + "data" + Le(dataSize, 4) +
           PatternBytes(firstSector * kSectorBytes, sectors * kSectorBytes);
}

} // namespace vorsa::testing
