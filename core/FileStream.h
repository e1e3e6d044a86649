// Binary file stream with 32-bit signed positions. Opening, creating,
// measuring and a checked close raise; reads and writes return the number of
// bytes done (0 on failure).
#pragma once

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
                  // locked by another program is left whole and not opened)
    };

    // Throws EFOpenError (OpenRead) or EFCreateError (Create) with the path.
    // Create opens a named pipe for writing alone, and refuses one that
    // nothing reads.
    FileStream(const std::string &path, Mode mode);
    // Closes a stream still open without a word: the way out of an error.
    ~FileStream();
    FileStream(const FileStream &) = delete;
    FileStream &operator=(const FileStream &) = delete;

    // Size in bytes as a signed 32-bit value, through ClampFileSize. Throws
    // EInOutError when the system cannot tell it: no size is better than a
    // wrong one.
    std::int32_t Size() const;
    // Seeks to a position from the beginning; returns the new position, -1 on failure.
    std::int32_t Seek(std::int32_t position);
    // Both return the bytes done, going on after partial transfers and
    // interruptions; they never throw. Fewer than `count` means the end of
    // the file (Read) or a failure recorded in LastError().
    std::int32_t Read(void *buffer, std::int32_t count);
    std::int32_t Write(const void *buffer, std::int32_t count);
    // Closes the file and throws EInOutError when the system reports that
    // the data did not make it (network file systems tell delayed write
    // errors only here). Every file that was written ends this way.
    void Close();

    // errno of the failure that cut the latest Read or Write short (ENOSPC
    // for a full disk); 0 when it completed or a read met the end of the file.
    int LastError() const { return lastError_; }
    int Handle() const { return fd_; }
    // A regular file, not a device or a pipe; known from the open.
    bool IsRegularFile() const { return regular_; }
    const std::string &Path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
    int lastError_ = 0;
    bool regular_ = false;
};

// The one rule for taking a file size as a signed 32-bit value, used by
// everything that measures a file: sizes of 2^31 bytes (2 GiB) or more are
// taken as 2^31 - 1 = 2147483647, so that they never wrap to negative or to
// a small number; byte positions derived from them stay in range.
std::int32_t ClampFileSize(long long size);

// Makes reads and writes on a descriptor opened without waiting wait as
// usual; returns 0 or the errno of the failure.
int ClearNonBlocking(int fd);

// Writes all of `count` bytes or throws EInOutError with the system's code;
// a short write with no code is taken as a full disk.
void WriteAll(FileStream &file, const void *bytes, std::int64_t count);

} // namespace vorsa
