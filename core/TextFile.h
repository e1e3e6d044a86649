// Line-by-line reading of a text file. A line ends at LF, a CR right before
// the LF belongs to the line end, a lone CR is dropped, byte 26 ends the
// file, the last line needs no end, and nothing is trimmed.
#pragma once

#include "platform/FileHandle.h"

#include <cstddef>
#include <string>

namespace vorsa
{

// The most bytes of the file one line may take up before its line feed,
// carriage returns included: 1 MiB. Real description lines are under a
// kilobyte; the bound keeps a file that never ends a line (/dev/zero, say)
// from being read until memory runs out.
inline constexpr std::size_t kMaxLineBytes = 1 << 20;

class TextFile
{
public:
    // Opens an existing file for reading while others may read it but not
    // write it; throws EInOutError on failure.
    explicit TextFile(const std::string &path);
    TextFile(const TextFile &) = delete;
    TextFile &operator=(const TextFile &) = delete;

    // True when no line is left (end of data or a byte 26 was reached).
    bool Eof();
    // Reads the next line; throws EInOutError when the read fails, and
    // ELineTooLongError, without reading on, once the line passes kMaxLineBytes.
    std::string ReadLine();

private:
    bool Fill(); // refills buffer_; false at end of data
    platform::FileHandle file_;
    std::string path_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool endOfData_ = false;
};

} // namespace vorsa
