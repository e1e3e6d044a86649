// Moves a byte range of the raw image into a track file, in large steps,
// with the bytes the image does not hold written as silence.
#pragma once

#include <cstdint>
#include <vector>

namespace vorsa
{

class FileStream;

// Writes all of `count` bytes or throws EInOutError with the system's code;
// a short write with no code is taken as a full disk.
void WriteAll(FileStream &file, const void *bytes, std::int64_t count);

class SectorCopier
{
public:
    explicit SectorCopier(FileStream &image);
    ~SectorCopier();
    SectorCopier(const SectorCopier &) = delete;
    SectorCopier &operator=(const SectorCopier &) = delete;

    // Appends image bytes [position, position + count) to the track file.
    // Bytes before the image's start or past its end are zeros. A failed
    // read or write throws EInOutError with the system's code.
    void Copy(FileStream &track, std::int64_t position, std::int64_t count);

private:
    bool CanSplice(const FileStream &track);
    std::int64_t SpliceHeld(FileStream &track, std::int64_t position, std::int64_t count);
    std::int64_t CopyThroughBuffer(FileStream &track, std::int64_t position, std::int64_t count);
    void DrainPipe(FileStream &track, std::int64_t count);
    void WriteZeros(FileStream &track, std::int64_t count);
    std::vector<char> &Buffer();

    FileStream &image_;
    int pipe_[2] = {-1, -1}; // made on the first splice
    bool spliceFailed_ = false;
    std::vector<char> buffer_; // made on first need, reused for the run
};

} // namespace vorsa
