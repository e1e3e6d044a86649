// One fuzz case of loading a description file and extracting what loaded.
//
// Input layout: a 6-byte header, then the description file's bytes.
//   bytes 0-2  image size (little-endian, taken modulo kMaxImageBytes + 1)
//   byte 3     ticks: item i is ticked when bit i % 8 is set
//   byte 4     bits 0-1: what a click inside the window's event processing
//              does (0 nothing, 1 stop, 2 reload, 3 reload then stop);
//              bits 2-7: at which turn of event processing (from 0)
//   byte 5     how much of the description a reload still finds (n / 255)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vorsa::fuzz
{

inline constexpr std::size_t kDiscHeaderBytes = 6;
inline constexpr std::int64_t kMaxImageBytes = 128 * 2352 + 2351;

struct DiscNames {
    std::string_view description; // "disc.cue" or "disc.ccd"
    std::string_view image;       // where the reader is expected to look
};

void RunDiscCase(const DiscNames &names, const std::uint8_t *data, std::size_t size);

} // namespace vorsa::fuzz
