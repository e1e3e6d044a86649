#include "FileStream.h"

#include "Errors.h"

#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        return errno;
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

} // namespace

FileStream::FileStream(const std::string &path, Mode mode) : path_(path)
{
    const bool create = mode == Mode::Create;
    // No O_TRUNC: the file may be emptied only once the lock is held.
    // No waiting at the open either: a named pipe with no writer would hold
    // the window's one thread there for good.
    const int flags = create ? O_RDWR | O_CREAT | O_CLOEXEC : O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    fd_ = ::open(path.c_str(), flags, 0666);
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
        return 0;
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

} // namespace vorsa
