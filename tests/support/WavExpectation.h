// What a track file must hold, written here from the WAV layout and the disc
// pattern, never from the program's own headers, offsets or output. Every
// test that reads a track file back judges it with these. And WAV images as
// rippers write them, chunk by chunk, for the tests of reading one.
#pragma once

#include "DiscBuilder.h"

#include <cstdint>
#include <string>
#include <string_view>

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

// A chunk: its id, its size, its body and a pad byte when the body's size
// is odd. The size is the body's unless `declaredSize` says otherwise.
std::string WavChunk(std::string_view id, std::string_view body, std::int64_t declaredSize = -1);
// The body of a "fmt " chunk: PCM (format 1), or WAVE_FORMAT_EXTENSIBLE
// (0xFFFE) whose sub-format is PCM.
std::string WavFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                      bool extensible = false);
// "RIFF", the size of what follows, "WAVE", then the chunks.
std::string WavImage(std::string_view chunks);

} // namespace vorsa::testing
