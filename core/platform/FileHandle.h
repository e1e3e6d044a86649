// The one owner of an open file, over the system's own calls: one interface,
// one implementation per system (FileHandle_linux.cpp, FileHandle_win.cpp),
// chosen by the build. Nothing above this layer includes a system header.
//
// Every failure is told as the system's own error code (errno on Linux,
// GetLastError() on Windows), which SystemError.h describes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorsa::platform
{

enum class OpenMode {
    // An existing file, read only, while others may read it but not write
    // it: a file that another program holds open for writing is refused.
    ReadShared,
    // Created or emptied, for reading and writing, shared with nobody. A
    // file that another program holds open is refused and left whole.
    CreateExclusive,
};

// What one read or write did: `bytes` done, and the system's code when it
// failed (0 otherwise). No bytes and no error is the end of the file.
struct Transfer {
    std::size_t bytes = 0;
    int error = 0;
};

class FileHandle
{
public:
    FileHandle() = default;
    // Closes a handle still open without a word: the way out of an error.
    ~FileHandle();
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;

    // Returns 0, or the system's code of the failure (the handle stays
    // closed). A name holding a NUL byte is refused: cut there, it would
    // name another file; so, on Windows, is one holding bytes that are no
    // character of the code page. Neither mode waits for the other end of a
    // pipe.
    int Open(const std::string &path, OpenMode mode);
    // A file on a disk, not a device or a pipe; known from the open.
    bool IsRegularFile() const { return regular_; }

    // Size in bytes; returns 0 or the system's code.
    int Size(std::int64_t &size) const;
    // One transfer each, at most `count` bytes; an interrupted call is made
    // again. Read reads on from the current position, ReadAt from `position`
    // whatever the current one is.
    Transfer Read(void *buffer, std::size_t count);
    Transfer ReadAt(void *buffer, std::size_t count, std::int64_t position);
    Transfer Write(const void *buffer, std::size_t count);
    // Returns 0 or the system's code. The handle is closed either way; a
    // failure means the data may not have reached the file.
    int Close();

private:
    friend class DirectCopy;
#ifdef _WIN32
    void *handle_ = nullptr; // HANDLE; INVALID_HANDLE_VALUE is never kept
#else
    int fd_ = -1;
#endif
    bool regular_ = false;
};

// A copy between two files that the system makes without passing the bytes
// through this program's memory, where it has one (Linux: splice through a
// large pipe). Made once for a run.
class DirectCopy
{
public:
    DirectCopy();
    ~DirectCopy();
    DirectCopy(const DirectCopy &) = delete;
    DirectCopy &operator=(const DirectCopy &) = delete;

    // Appends up to `count` bytes of `from`, read at `position`, to `to`.
    // Returns the bytes moved, 0 at the end of `from`, or -1 when this way
    // cannot serve these files (nothing was moved; the caller copies through
    // memory, and this object answers -1 from then on). A failed read or
    // write gives its system code in `error`, with the bytes moved before it.
    std::int64_t Move(FileHandle &from, std::int64_t position, std::int64_t count, FileHandle &to,
                      int &error);

private:
#ifndef _WIN32
    bool Ready();
    int pipe_[2] = {-1, -1};
    bool unusable_ = false;
#endif
};

} // namespace vorsa::platform
