// Moves a byte range of the image's sound into a track file, in large
// steps, with the bytes the image does not hold written as silence.
#pragma once

#include "platform/FileHandle.h"

#include <cstdint>
#include <vector>

namespace vorsa
{

class DiscImage;
class FileStream;

class SectorCopier
{
public:
    // The image's size is the one measured when it was opened for the run.
    explicit SectorCopier(DiscImage &image);
    SectorCopier(const SectorCopier &) = delete;
    SectorCopier &operator=(const SectorCopier &) = delete;

    // Appends image bytes [position, position + count) to the track file,
    // position 0 being the sound's first byte. Bytes before it or past the
    // image's size are zeros. A failed
    // read or write throws EInOutError with the system's code; the image
    // ending before its size (it shrank under the run) throws it with
    // kIoReadPastEnd.
    void Copy(FileStream &track, std::int64_t position, std::int64_t count);

private:
    std::int64_t CopyHeld(FileStream &track, std::int64_t position, std::int64_t count);
    std::int64_t CopyThroughBuffer(FileStream &track, std::int64_t position, std::int64_t count);
    void WriteZeros(FileStream &track, std::int64_t count);
    std::vector<char> &Buffer();

    FileStream &image_;
    std::int64_t soundStart_; // the file's byte at position 0
    std::int64_t imageSize_;
    platform::DirectCopy direct_; // tried first, given up for the run once it cannot serve
    std::vector<char> buffer_;    // made on first need, reused for the run
};

} // namespace vorsa
