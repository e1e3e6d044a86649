#include "FileStream.h"

#include "Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vorsa
{

namespace
{

// Returns 0, or the errno that makes the open fail. Locks are advisory on
// Linux: they keep out only programs that lock too. Devices and pipes are
// shared by the whole system and have no contents to guard, so they are not
// locked; a lock on /dev/null would make two programs writing there collide.
int Prepare(int fd, FileStream::Mode mode, bool &regular)
{
    struct stat info {
    };
    if (::fstat(fd, &info) != 0)
        return errno;
    regular = S_ISREG(info.st_mode);
    if (S_ISDIR(info.st_mode))
        return EISDIR; // a folder opens read-only on Linux, but holds no bytes
    // The open did not wait for a named pipe's other end; reads and writes do.
    if (const int failure = ClearNonBlocking(fd); failure != 0)
        return failure;
    if (!regular)
        return 0;
    const bool create = mode == FileStream::Mode::Create;
    if (::flock(fd, (create ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0)
        return errno;
    // Truncating only after the exclusive lock is ours means a file that
    // someone is still reading (the image itself, say) is never emptied.
    // An empty file is left alone: on ext4 a truncation to zero makes the
    // file's close start writing it out at once, which for a new track file
    // costs a fifth of the copy.
    if (create && info.st_size != 0 && ::ftruncate(fd, 0) != 0)
        return errno;
    return 0;
}

bool IsNamedPipe(const std::string &path)
{
    struct stat info {
    };
    return ::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

int OpenFlags(const std::string &path, FileStream::Mode mode)
{
    // No waiting at the open: a named pipe with no writer would hold the
    // window's one thread there for good.
    if (mode == FileStream::Mode::OpenRead)
        return O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    // A named pipe is written only while something reads it. Opened for
    // writing alone and without waiting, it refuses the open when no reader
    // is there, where a write would otherwise wait for good; and a reader
    // that goes away fails the next write instead of leaving it waiting.
    // Opened for reading too, the stream would be a reader of its own.
    if (IsNamedPipe(path))
        return O_WRONLY | O_CLOEXEC | O_NONBLOCK;
    // No O_TRUNC: the file may be emptied only once the lock is held.
    return O_RDWR | O_CREAT | O_CLOEXEC;
}

} // namespace

FileStream::FileStream(const std::string &path, Mode mode) : path_(path)
{
    const bool create = mode == Mode::Create;
    // A name cut at a NUL byte would open another file than the one named.
    if (path.find('\0') == std::string::npos)
        fd_ = ::open(path.c_str(), OpenFlags(path, mode), 0666);
    if (fd_ >= 0 && Prepare(fd_, mode, regular_) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (fd_ < 0) {
        if (create)
            throw EFCreateError(path);
        throw EFOpenError(path);
    }
}

FileStream::~FileStream()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void FileStream::Close()
{
    // Linux frees the descriptor whatever close reports, so it is never
    // closed twice. An interrupted close counts as failed: the file system
    // may not have taken the data.
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && ::close(fd) != 0)
        throw EInOutError(InOutCodeFromErrno(errno));
}

std::int32_t ClampFileSize(long long size)
{
    constexpr long long kLargest = std::numeric_limits<std::int32_t>::max();
    if (size < 0)
        return 0;
    return static_cast<std::int32_t>(size > kLargest ? kLargest : size);
}

std::int32_t FileStream::Size() const
{
    struct stat info {
    };
    if (::fstat(fd_, &info) != 0)
        throw EInOutError(InOutCodeFromErrno(errno));
    return ClampFileSize(static_cast<long long>(info.st_size));
}

std::int32_t FileStream::Seek(std::int32_t position)
{
    const off_t reached = ::lseek(fd_, static_cast<off_t>(position), SEEK_SET);
    return reached < 0 ? -1 : static_cast<std::int32_t>(reached);
}

std::int32_t FileStream::Read(void *buffer, std::int32_t count)
{
    lastError_ = 0;
    auto *bytes = static_cast<std::byte *>(buffer);
    std::int32_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(fd_, bytes + done, static_cast<std::size_t>(count - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            lastError_ = errno;
        if (got <= 0)
            break; // 0 is the end of the file: what came so far is the answer
        done += static_cast<std::int32_t>(got);
    }
    return done;
}

std::int32_t FileStream::Write(const void *buffer, std::int32_t count)
{
    lastError_ = 0;
    const auto *bytes = static_cast<const std::byte *>(buffer);
    std::int32_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(fd_, bytes + done, static_cast<std::size_t>(count - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            // A write that takes nothing without an error has run out of room.
            lastError_ = put < 0 ? errno : ENOSPC;
            break;
        }
        done += static_cast<std::int32_t>(put);
    }
    return done;
}

int ClearNonBlocking(int fd)
{
    // A failed F_GETFL gives -1, which as flags would set every one of them.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return errno;
    return 0;
}

void WriteAll(FileStream &file, const void *bytes, std::int64_t count)
{
    constexpr std::int64_t kLargestStep = std::numeric_limits<std::int32_t>::max();
    const auto *next = static_cast<const std::byte *>(bytes);
    while (count > 0) {
        const auto step = static_cast<std::int32_t>(std::min(count, kLargestStep));
        if (file.Write(next, step) != step)
            throw EInOutError(
                InOutCodeFromErrno(file.LastError() != 0 ? file.LastError() : ENOSPC));
        next += step;
        count -= step;
    }
}

} // namespace vorsa
