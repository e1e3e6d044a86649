// Geometry of a raw audio CD image: one 2352-byte sector per frame,
// 16-bit little-endian stereo samples at 44100 Hz.
#pragma once

#include <cstdint>

namespace vorsa
{

inline constexpr std::int32_t kBytesPerSector = 2352;     // one raw frame
inline constexpr std::int32_t kFramesPerSecond = 75;      // frames (sectors) per second
inline constexpr std::int32_t kBytesPerSecond = 176400;   // 75 x 2352
inline constexpr std::int32_t kBytesPerMinute = 10584000; // 60 x 176400

static_assert(kBytesPerSecond == kFramesPerSecond * kBytesPerSector);
static_assert(kBytesPerMinute == 60 * kBytesPerSecond);

} // namespace vorsa
