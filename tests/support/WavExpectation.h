// What a track file must hold, written here from the WAV layout and the disc
// pattern, never from the program's own headers, offsets or output. Every
// test that reads a track file back judges it with these.
#pragma once

#include "DiscBuilder.h"

#include <cstdint>
#include <string>

namespace vorsa::testing
{

inline constexpr std::int64_t kSectorBytes = 2352;
inline constexpr std::size_t kWavHeaderBytes = 44;

// The 44-byte header (PCM, 2 channels, 44100 Hz, 16 bits) before
// `dataBytes` bytes of samples.
std::string ExpectedWavHeader(std::uint32_t dataBytes);

// A whole track file holding `data`.
std::string ExpectedWavFile(const std::string &data);

// A whole track file holding the sectors [firstSector, firstSector + sectors)
// of `disc`'s pattern image.
std::string ExpectedTrackFile(const GeneratedDisc &disc, std::int64_t firstSector,
                              std::int64_t sectors);

// Where `actual` first departs from `expected`, in words: the header field,
// or the sample byte with the sector that the pattern names there; "" when
// the two are equal.
std::string WavMismatch(const std::string &actual, const std::string &expected);

} // namespace vorsa::testing
