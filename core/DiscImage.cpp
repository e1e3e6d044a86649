#include "DiscImage.h"

#include "Errors.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace vorsa
{

namespace
{

// The GUID of PCM samples, as WAVE_FORMAT_EXTENSIBLE names its sub-format.
constexpr std::string_view kPcmSubFormat{"\x01\x00\x00\x00\x00\x00\x10\x00"
                                         "\x80\x00\x00\xAA\x00\x38\x9B\x71",
                                         16};
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::int64_t kRiffHeaderBytes = 12; // "RIFF", size, "WAVE"
constexpr std::int64_t kChunkHeadBytes = 8;   // id, size
constexpr std::uint32_t kExtensibleFormatBytes = 40;

std::uint32_t Le(std::string_view bytes, std::size_t at, int width)
{
    std::uint32_t value = 0;
    for (int i = 0; i < width; ++i)
        value |= std::uint32_t{static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)])}
                 << (8 * i);
    return value;
}

// Up to `count` bytes from `position`, fewer only where the file ends. Its
// size, measured at the open, tells a real end from a read that met none:
// a head taken as shorter than it is would pass its bytes off as sound.
std::string ReadBytes(FileStream &file, std::int64_t fileSize, std::int64_t position,
                      std::int64_t count)
{
    std::string bytes(static_cast<std::size_t>(count), '\0');
    const std::int64_t got = file.ReadAt(bytes.data(), count, position);
    if (got < std::clamp<std::int64_t>(fileSize - position, 0, count)) {
        if (file.LastError() != 0)
            ThrowTransferError(file.LastError());
        throw EInOutError(kIoReadPastEnd);
    }
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

bool IsWav(std::string_view head)
{
    return head.size() == kRiffHeaderBytes && head.substr(0, 4) == "RIFF" &&
           head.substr(8, 4) == "WAVE";
}

// A format chunk's body that declares a CD's samples. Block align and bytes
// per second follow from these four and are not asked for.
bool IsCdFormat(std::string_view format)
{
    if (format.size() < 16)
        return false;
    const std::uint32_t tag = Le(format, 0, 2);
    const bool pcm =
        tag == kFormatPcm || (tag == kFormatExtensible && format.size() >= kExtensibleFormatBytes &&
                              format.substr(24, 16) == kPcmSubFormat);
    return pcm && Le(format, 2, 2) == 2 && Le(format, 4, 4) == 44100 && Le(format, 14, 2) == 16;
}

struct DataChunk {
    std::int64_t start; // its first byte in the file
    std::uint32_t size; // as the chunk declares it
};

// The data chunk of a WAV file that holds a CD's sound, found by walking the
// chunks from the file's 13th byte; none when a format chunk declares other
// samples, or no format chunk comes before the data, or no data chunk comes.
std::optional<DataChunk> FindCdSound(FileStream &file, std::int64_t fileSize)
{
    bool cdFormat = false;
    for (std::int64_t at = kRiffHeaderBytes;;) {
        const std::string head = ReadBytes(file, fileSize, at, kChunkHeadBytes);
        if (head.size() < kChunkHeadBytes)
            return std::nullopt;
        const std::string_view id = std::string_view(head).substr(0, 4);
        const std::uint32_t size = Le(head, 4, 4);
        if (id == "fmt ") {
            if (!IsCdFormat(ReadBytes(file, fileSize, at + kChunkHeadBytes,
                                      std::min(size, kExtensibleFormatBytes))))
                return std::nullopt;
            cdFormat = true;
        } else if (id == "data") {
            if (!cdFormat)
                return std::nullopt;
            return DataChunk{at + kChunkHeadBytes, size};
        }
        at += kChunkHeadBytes + size + (size & 1);
    }
}

} // namespace

DiscImage::DiscImage(const std::string &path)
    : file_(path, FileStream::Mode::OpenRead), size_(file_.Size())
{
    // A disc's raw sectors never begin "RIFF....WAVE". A device or a pipe is
    // taken as raw unread: looking at its head would take bytes from it.
    if (!file_.IsRegularFile() || !IsWav(ReadBytes(file_, size_, 0, kRiffHeaderBytes)))
        return;
    const std::optional<DataChunk> data = FindCdSound(file_, size_);
    if (!data) {
        holdsCdSound_ = false;
        size_ = 0;
        return;
    }
    start_ = data->start;
    // A writer that stopped short leaves a data size larger than what
    // follows it. Files of 2 GiB or more are measured as 2^31 - 1 bytes,
    // which is what the sound is cut to.
    size_ = ClampFileSize(std::min<std::int64_t>(data->size, std::int64_t{size_} - start_));
}

} // namespace vorsa
