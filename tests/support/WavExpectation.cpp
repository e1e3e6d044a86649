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

std::string WavChunk(std::string_view id, std::string_view body, std::int64_t declaredSize)
{
    const auto size = static_cast<std::uint32_t>(declaredSize < 0 ? body.size() : declaredSize);
    std::string chunk = std::string(id) + Le(size, 4) + std::string(body);
    if (body.size() % 2 != 0)
        chunk.push_back('\0');
    return chunk;
}

std::string WavFormat(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                      bool extensible)
{
    const std::uint32_t blockAlign = channels * bits / 8u;
    std::string body = Le(extensible ? 0xFFFE : 1, 2) + Le(channels, 2) + Le(rate, 4) +
                       Le(rate * blockAlign, 4) + Le(blockAlign, 2) + Le(bits, 2);
    if (extensible) {
        // Extra size, valid bits, channel mask (front left and right), and
        // KSDATAFORMAT_SUBTYPE_PCM.
        body += Le(22, 2) + Le(bits, 2) + Le(3, 4) +
                std::string("\x01\x00\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 16);
    }
    return body;
}

std::string WavImage(std::string_view chunks)
{
    return "RIFF" + Le(static_cast<std::uint32_t>(chunks.size() + 4), 4) + "WAVE" +
           std::string(chunks);
}

} // namespace vorsa::testing
