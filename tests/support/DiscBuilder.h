// Writes raw disc images whose every sector names itself and its disc, with a
// cue sheet or .ccd file describing them, so an offset error shows as wrong
// bytes.
#pragma once

#include "TempDir.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorsa::testing
{

// The pattern: every sector of an image holds its own 32-bit number and the
// image's seed, each little-endian, repeated through its 2352 bytes. No two
// sectors of a disc are equal, and no two discs of a test (their seeds come
// from their file names) share a sector.
std::uint32_t PatternSeed(std::string_view imagePath);
// Byte `position` of the pattern image with `seed`.
std::uint8_t PatternByte(std::uint32_t seed, std::int64_t position);
// `count` pattern bytes from image position `from`.
std::string PatternBytes(std::uint32_t seed, std::int64_t from, std::int64_t count);
// Writes `bytes` pattern bytes under the seed of `path`'s file name.
void WritePatternImage(const std::string &path, std::int64_t bytes);

struct GeneratedDisc {
    std::string imagePath;
    std::string descriptionPath;      // the cue sheet or .ccd file
    std::vector<std::int32_t> starts; // start sector of each track
    std::int64_t imageBytes = 0;
    std::uint32_t seed = 0; // the image's pattern seed
};

// A cue sheet for one BINARY file with one AUDIO track per start sector.
std::string CueSheetText(const std::vector<std::int32_t> &startSectors,
                         std::string_view imageName = "disc.bin",
                         std::string_view lineEnd = "\r\n");

// A .ccd file as CD-copying programs write it, one audio track per start.
std::string CcdText(const std::vector<std::int32_t> &startSectors,
                    std::string_view lineEnd = "\r\n");

// One track of a .ccd file: its start sector, its MODE= value (0 audio,
// 1 or 2 data) and the session it belongs to.
struct CcdTrack {
    std::int32_t start = 0;
    int mode = 0;
    int session = 1;
};

// A .ccd file as CD-copying programs write it, with every track's mode and
// session: the [Entry n] blocks carry each track's Session= line.
std::string CcdTextForTracks(const std::vector<CcdTrack> &tracks,
                             std::string_view lineEnd = "\r\n");

// Writes <base>.bin and <base>.cue: tracks of the given lengths in sectors,
// then `tailBytes` bytes that make no whole sector.
GeneratedDisc WriteCueDisc(const TempDir &dir, std::string_view base,
                           const std::vector<std::int32_t> &trackSectors, int tailBytes = 0);
// Writes <base>.img and <base>.ccd likewise.
GeneratedDisc WriteCcdDisc(const TempDir &dir, std::string_view base,
                           const std::vector<std::int32_t> &trackSectors, int tailBytes = 0);

} // namespace vorsa::testing
