// Binary file stream with 32-bit signed positions. Opening, creating,
// measuring and a checked close raise; reads and writes return the number of
// bytes done (0 on failure).
#pragma once

#include "platform/FileHandle.h"

#include <cstdint>
#include <string>

namespace vorsa
{

class FileStream
{
public:
    enum class Mode {
        OpenRead, // existing file, read only; others may read, not write
        Create,   // create or truncate, read and write; no sharing (a file
                  // that another program holds is left whole and not opened)
    };

    // Throws EFOpenError (OpenRead) or EFCreateError (Create) with the path.
    // On Linux, Create opens a named pipe for writing alone, and refuses one
    // that nothing reads.
    FileStream(const std::string &path, Mode mode);
    FileStream(const FileStream &) = delete;
    FileStream &operator=(const FileStream &) = delete;

    // Size in bytes as a signed 32-bit value, through ClampFileSize. Throws
    // EInOutError when the system cannot tell it: no size is better than a
    // wrong one.
    std::int32_t Size() const;
    // Both return the bytes done, going on after partial transfers; they
    // never throw. Fewer than `count` means the end of the file (ReadAt) or a
    // failure recorded in LastError(). ReadAt reads from `position`, whatever
    // the current position is: the extraction reads the image at 64-bit offsets.
    std::int32_t Write(const void *buffer, std::int32_t count);
    std::int64_t ReadAt(void *buffer, std::int64_t count, std::int64_t position);
    // Closes the file and throws EInOutError when the system reports that
    // the data did not make it (network file systems tell delayed write
    // errors only here). Every file that was written ends this way; a stream
    // left open is closed without a word by its destructor.
    void Close();

    // The system's code of the failure that cut the latest transfer short
    // (a full disk, say); 0 when it completed or a read met the end of the file.
    int LastError() const { return lastError_; }
    // For a copy that the system makes between two streams' files.
    platform::FileHandle &Handle() { return file_; }

private:
    platform::FileHandle file_;
    int lastError_ = 0;
};

// The one rule for taking a file size as a signed 32-bit value, used by
// everything that measures a file: sizes of 2^31 bytes (2 GiB) or more are
// taken as 2^31 - 1 = 2147483647, so that they never wrap to negative or to
// a small number; byte positions derived from them stay in range.
std::int32_t ClampFileSize(long long size);

// Writes all of `count` bytes or throws EInOutError with the system's code;
// a short write with no code is taken as a full disk.
void WriteAll(FileStream &file, const void *bytes, std::int64_t count);

// The input/output error for a failed transfer with the system's code
// `systemError`, 0 meaning that nothing was moved and the system said no
// more: a full disk.
[[noreturn]] void ThrowTransferError(int systemError);

} // namespace vorsa
