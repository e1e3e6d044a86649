// Writes raw disc images whose every byte names its sector, with a cue
// sheet or .ccd file describing them, so an offset error shows as wrong bytes.
#pragma once

#include "TempDir.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorsa::testing
{

// Byte `offset` of image byte position `position`: the sector number's low
// byte mixed with the offset within the sector.
std::uint8_t PatternByte(std::int64_t position);
// `count` pattern bytes from image position `from`.
std::string PatternBytes(std::int64_t from, std::int64_t count);
void WritePatternImage(const std::string &path, std::int64_t bytes);

struct GeneratedDisc {
    std::string imagePath;
    std::string descriptionPath;      // the cue sheet or .ccd file
    std::vector<std::int32_t> starts; // start sector of each track
    std::int64_t imageBytes = 0;
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
