#include "DiscBuilder.h"

#include "DiscFormat.h"
#include "NumberText.h"
#include "TrackTable.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace vorsa::testing
{

std::uint32_t PatternSeed(std::string_view imagePath)
{
    // The name after the last delimiter, "\\" too on Windows.
#ifdef _WIN32
    const std::size_t slash = imagePath.find_last_of("/\\");
#else
    const std::size_t slash = imagePath.rfind('/');
#endif
    const std::string_view name =
        slash == std::string_view::npos ? imagePath : imagePath.substr(slash + 1);
    // FNV-1a of the file name. The seed is never 0, so that sector 0 differs
    // from the zeros written for a stretch outside the image.
    std::uint32_t seed = 2166136261u;
    for (char c : name)
        seed = (seed ^ static_cast<std::uint8_t>(c)) * 16777619u;
    return seed | 1u;
}

std::uint8_t PatternByte(std::uint32_t seed, std::int64_t position)
{
    const auto sector = static_cast<std::uint32_t>(position / kBytesPerSector);
    const auto offset = static_cast<int>(position % kBytesPerSector);
    const std::uint32_t word = offset % 8 < 4 ? sector : seed;
    return static_cast<std::uint8_t>(word >> (8 * (offset % 4)));
}

std::string PatternBytes(std::uint32_t seed, std::int64_t from, std::int64_t count)
{
    std::string bytes(static_cast<std::size_t>(count), '\0');
    for (std::int64_t i = 0; i < count; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(PatternByte(seed, from + i));
    return bytes;
}

void WritePatternImage(const std::string &path, std::int64_t bytes)
{
    const std::uint32_t seed = PatternSeed(path);
    std::ofstream out(SystemPath(path), std::ios::binary | std::ios::trunc);
    const std::int64_t chunk = 1 << 20;
    for (std::int64_t at = 0; at < bytes; at += chunk) {
        const std::string part = PatternBytes(seed, at, std::min(chunk, bytes - at));
        out.write(part.data(), static_cast<std::streamsize>(part.size()));
    }
    if (!out)
        throw std::runtime_error("cannot write image " + path);
}

std::string CueSheetText(const std::vector<std::int32_t> &startSectors, std::string_view imageName,
                         std::string_view lineEnd)
{
    std::string text = "FILE \"" + std::string(imageName) + "\" BINARY" + std::string(lineEnd);
    for (std::size_t i = 0; i < startSectors.size(); ++i) {
        text += "  TRACK " + FormatPadded(static_cast<std::int32_t>(i + 1), 2) + " AUDIO" +
                std::string(lineEnd);
        text += "    INDEX 01 " + SectorToDiscTime(startSectors[i]) + std::string(lineEnd);
    }
    return text;
}

std::string CcdText(const std::vector<std::int32_t> &startSectors, std::string_view lineEnd)
{
    std::vector<CcdTrack> tracks;
    for (std::int32_t start : startSectors)
        tracks.push_back({start, 0, 1});
    return CcdTextForTracks(tracks, lineEnd);
}

std::string CcdTextForTracks(const std::vector<CcdTrack> &tracks, std::string_view lineEnd)
{
    const std::string nl(lineEnd);
    int sessions = 1;
    for (const CcdTrack &track : tracks)
        sessions = std::max(sessions, track.session);
    std::string text = "[CloneCD]" + nl + "Version=3" + nl + "[Disc]" + nl +
                       "TocEntries=" + std::to_string(tracks.size() + 3 * sessions) + nl +
                       "Sessions=" + std::to_string(sessions) + nl + "DataTracksScrambled=0" + nl +
                       "CDTextLength=0" + nl;
    for (int s = 1; s <= sessions; ++s)
        text += "[Session " + std::to_string(s) + "]" + nl + "PreGapMode=" +
                std::to_string(s == 1 && !tracks.empty() ? tracks.front().mode : 2) + nl +
                "PreGapSubC=0" + nl;
    int entry = 0;
    for (int s = 1; s <= sessions; ++s) {
        for (const char *point : {"0xa0", "0xa1", "0xa2"})
            text += "[Entry " + std::to_string(entry++) + "]" + nl +
                    "Session=" + std::to_string(s) + nl + "Point=" + point + nl + "ADR=0x01" + nl +
                    "Control=0x04" + nl;
        for (std::size_t i = 0; i < tracks.size(); ++i) {
            if (tracks[i].session != s)
                continue;
            const char hex[] = "0123456789abcdef";
            const std::string point = {'0', 'x', hex[(i + 1) / 16 % 16], hex[(i + 1) % 16]};
            text += "[Entry " + std::to_string(entry++) + "]" + nl +
                    "Session=" + std::to_string(s) + nl + "Point=" + point + nl + "ADR=0x01" + nl +
                    "Control=" + (tracks[i].mode == 0 ? "0x00" : "0x04") + nl +
                    "PLBA=" + std::to_string(tracks[i].start) + nl;
        }
    }
    for (std::size_t i = 0; i < tracks.size(); ++i)
        text += "[TRACK " + std::to_string(i + 1) + "]" + nl +
                "MODE=" + std::to_string(tracks[i].mode) + nl +
                "INDEX 1=" + std::to_string(tracks[i].start) + nl;
    return text;
}

namespace
{

GeneratedDisc WriteDisc(const TempDir &dir, std::string_view base, std::string_view imageExt,
                        std::string_view descriptionExt,
                        const std::vector<std::int32_t> &trackSectors, int tailBytes)
{
    GeneratedDisc disc;
    std::int32_t at = 0;
    for (std::int32_t length : trackSectors) {
        disc.starts.push_back(at);
        at += length;
    }
    disc.imageBytes = static_cast<std::int64_t>(at) * kBytesPerSector + tailBytes;
    disc.imagePath = dir.File(std::string(base) + std::string(imageExt));
    WritePatternImage(disc.imagePath, disc.imageBytes);
    disc.seed = PatternSeed(disc.imagePath);
    const std::string text = descriptionExt == ".cue"
                                 ? CueSheetText(disc.starts, std::string(base) + ".bin")
                                 : CcdText(disc.starts);
    disc.descriptionPath = dir.Write(std::string(base) + std::string(descriptionExt), text);
    return disc;
}

} // namespace

GeneratedDisc WriteCueDisc(const TempDir &dir, std::string_view base,
                           const std::vector<std::int32_t> &trackSectors, int tailBytes)
{
    return WriteDisc(dir, base, ".bin", ".cue", trackSectors, tailBytes);
}

GeneratedDisc WriteCcdDisc(const TempDir &dir, std::string_view base,
                           const std::vector<std::int32_t> &trackSectors, int tailBytes)
{
    return WriteDisc(dir, base, ".img", ".ccd", trackSectors, tailBytes);
}

} // namespace vorsa::testing
