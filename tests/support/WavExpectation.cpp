#include "WavExpectation.h"

#include <algorithm>
#include <array>

namespace vorsa::testing
{

namespace
{

std::string Le(std::uint32_t value, int width)
{
    std::string bytes;
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    return bytes;
}

std::uint32_t Le32(const std::string &bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

struct HeaderField {
    std::size_t end; // one past its last byte
    const char *name;
};

constexpr std::array<HeaderField, 13> kHeaderFields{{{4, "\"RIFF\""},
                                                     {8, "RIFF size"},
                                                     {12, "\"WAVE\""},
                                                     {16, "\"fmt \""},
                                                     {20, "fmt size"},
                                                     {22, "format tag"},
                                                     {24, "channels"},
                                                     {28, "sample rate"},
                                                     {32, "bytes per second"},
                                                     {34, "block align"},
                                                     {36, "bits per sample"},
                                                     {40, "\"data\""},
                                                     {44, "data size"}}};

} // namespace

std::string ExpectedWavHeader(std::uint32_t dataBytes)
{
    return "RIFF" + Le(dataBytes + 36, 4) + "WAVE" + "fmt " + Le(16, 4) + Le(1, 2) + Le(2, 2) +
           Le(44100, 4) + Le(176400, 4) + Le(4, 2) + Le(16, 2) + "data" + Le(dataBytes, 4);
}

std::string ExpectedWavFile(const std::string &data)
{
    return ExpectedWavHeader(static_cast<std::uint32_t>(data.size())) + data;
}

std::string ExpectedTrackFile(const GeneratedDisc &disc, std::int64_t firstSector,
                              std::int64_t sectors)
{
    return ExpectedWavFile(
        PatternBytes(disc.seed, firstSector * kSectorBytes, sectors * kSectorBytes));
}

std::string WavMismatch(const std::string &actual, const std::string &expected)
{
    const auto differs =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (differs.first == actual.end() && differs.second == expected.end())
        return "";
    const auto at = static_cast<std::size_t>(differs.first - actual.begin());
    std::string where;
    if (at < kWavHeaderBytes) {
        for (const HeaderField &field : kHeaderFields) {
            if (at < field.end) {
                where = std::string("header field ") + field.name;
                break;
            }
        }
    } else {
        // The pattern's 8-byte unit around the byte: sector number, then seed.
        const std::size_t unit = kWavHeaderBytes + (at - kWavHeaderBytes) / 8 * 8;
        where = "sample byte " + std::to_string(at - kWavHeaderBytes) + " (holds sector " +
                std::to_string(Le32(actual, unit)) + ", seed " +
                std::to_string(Le32(actual, unit + 4)) + "; expected sector " +
                std::to_string(Le32(expected, unit)) + ", seed " +
                std::to_string(Le32(expected, unit + 4)) + ")";
    }
    return where + "; file of " + std::to_string(actual.size()) + " bytes, expected " +
           std::to_string(expected.size());
}

} // namespace vorsa::testing
