#include "SectorCopier.h"

#include "DiscImage.h"
#include "Errors.h"
#include "FileStream.h"

#include <algorithm>

namespace vorsa
{

namespace
{

// Large enough that a step costs little beside the disk's own work, small
// enough to stay in the processor's caches.
constexpr std::size_t kBufferBytes = 2 << 20;

} // namespace

SectorCopier::SectorCopier(DiscImage &image)
    : image_(image.File()), soundStart_(image.Start()), imageSize_(image.Size())
{
}

void SectorCopier::Copy(FileStream &track, std::int64_t position, std::int64_t count)
{
    while (count > 0) {
        std::int64_t moved = 0;
        if (position < 0) {
            moved = std::min(count, -position);
            WriteZeros(track, moved);
        } else if (position >= imageSize_) {
            moved = count;
            WriteZeros(track, moved);
        } else {
            moved = CopyHeld(track, position, std::min(count, imageSize_ - position));
            // An end before the size the run started with: the image was
            // cut short under the run, and zeros would pass for its sound.
            if (moved == 0)
                throw EInOutError(kIoReadPastEnd);
        }
        position += moved;
        count -= moved;
    }
}

// Returns the bytes moved, 0 at the end of the image.
std::int64_t SectorCopier::CopyHeld(FileStream &track, std::int64_t position, std::int64_t count)
{
    int failure = 0;
    const std::int64_t moved =
        direct_.Move(image_.Handle(), soundStart_ + position, count, track.Handle(), failure);
    if (failure != 0)
        ThrowTransferError(failure);
    if (moved >= 0)
        return moved;
    return CopyThroughBuffer(track, position, count);
}

std::int64_t SectorCopier::CopyThroughBuffer(FileStream &track, std::int64_t position,
                                             std::int64_t count)
{
    std::vector<char> &buffer = Buffer();
    const auto wanted = std::min(static_cast<std::int64_t>(buffer.size()), count);
    const std::int64_t got = image_.ReadAt(buffer.data(), wanted, soundStart_ + position);
    if (got < wanted && image_.LastError() != 0)
        ThrowTransferError(image_.LastError());
    WriteAll(track, buffer.data(), got);
    return got;
}

void SectorCopier::WriteZeros(FileStream &track, std::int64_t count)
{
    std::vector<char> &buffer = Buffer();
    while (count > 0) {
        const auto size = std::min(buffer.size(), static_cast<std::size_t>(count));
        std::fill_n(buffer.begin(), size, 0);
        WriteAll(track, buffer.data(), static_cast<std::int64_t>(size));
        count -= static_cast<std::int64_t>(size);
    }
}

std::vector<char> &SectorCopier::Buffer()
{
    if (buffer_.empty())
        buffer_.resize(kBufferBytes);
    return buffer_;
}

} // namespace vorsa
