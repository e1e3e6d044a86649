// The image file beside a description file, opened for reading: a raw image
// is its own bytes from the first; a WAV file that holds a CD's sound (PCM,
// 2 channels, 44100 Hz, 16 bits) is the bytes of its data chunk, so that
// its header never passes for samples. Positions and sizes are in bytes of
// that sound.
#pragma once

#include "FileStream.h"

#include <cstdint>
#include <string>

namespace vorsa
{

class DiscImage
{
public:
    // Throws EFOpenError when the file cannot be opened, EInOutError when
    // its size or its WAV header cannot be read.
    explicit DiscImage(const std::string &path);

    // False for a WAV file whose sound is not a CD's, or that has no data
    // chunk after its format: nothing of it may be read as sound.
    bool HoldsCdSound() const { return holdsCdSound_; }
    // The sound's size as a signed 32-bit value (ClampFileSize): a WAV's
    // data chunk, cut to what the file holds.
    std::int32_t Size() const { return size_; }
    // The file's byte where the sound begins: 0 for a raw image.
    std::int64_t Start() const { return start_; }
    FileStream &File() { return file_; }

private:
    FileStream file_;
    std::int64_t start_ = 0;
    std::int32_t size_ = 0;
    bool holdsCdSound_ = true;
};

} // namespace vorsa
