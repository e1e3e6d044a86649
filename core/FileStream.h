// Binary file stream with 32-bit signed positions. Only opening and creating
// raise; reads and writes return the number of bytes done (0 on failure).
#pragma once

#include <cstdint>
#include <string>

namespace vorsa {

class FileStream {
public:
    enum class Mode {
        OpenRead, // existing file, read only; others may read, not write
        Create,   // create or truncate, read and write; no sharing
    };

    // Throws EFOpenError (OpenRead) or EFCreateError (Create) with the path.
    FileStream(const std::string &path, Mode mode);
    ~FileStream();
    FileStream(const FileStream &) = delete;
    FileStream &operator=(const FileStream &) = delete;

    // Size in bytes as a signed 32-bit value. A file of 2 GiB or more is
    // taken as 2^31 - 1 bytes, so that sizes never wrap to negative.
    std::int32_t Size() const;
    // Seeks to a position from the beginning; returns the new position, -1 on failure.
    std::int32_t Seek(std::int32_t position);
    std::int32_t Read(void *buffer, std::int32_t count);
    std::int32_t Write(const void *buffer, std::int32_t count);

    // errno of the last failed or short read or write, 0 when none failed.
    int LastError() const { return lastError_; }
    int Handle() const { return fd_; }
    const std::string &Path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
    int lastError_ = 0;
};

// The one rule for taking a file size as a signed 32-bit value.
std::int32_t ClampFileSize(long long size);

} // namespace vorsa
