// The file layer on Linux: open(2) with flock(2) for the sharing rules, and
// splice(2) for the direct copy. Linux, not POSIX: splice, pipe2 and
// F_SETPIPE_SZ are Linux's own.
#include "FileHandle.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vorsa::platform
{

namespace
{

// Makes reads and writes on a descriptor opened without waiting wait as
// usual; returns 0 or the errno of the failure.
int ClearNonBlocking(int fd)
{
    // A failed F_GETFL gives -1, which as flags would set every one of them.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags == -1 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return errno;
    return 0;
}

// Returns 0, or the errno that makes the open fail. Locks are advisory on
// Linux: they keep out only programs that lock too, and one that already
// holds a conflicting lock makes this open fail as a sharing violation.
// Devices and pipes are shared by the whole system and have no contents to
// guard, so they are not locked; a lock on /dev/null would make two
// programs writing there collide.
int Prepare(int fd, OpenMode mode, bool &regular)
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
    const bool create = mode == OpenMode::CreateExclusive;
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

int OpenFlags(const std::string &path, OpenMode mode)
{
    // No waiting at the open: a named pipe with no writer would hold the
    // window's one thread there for good.
    if (mode == OpenMode::ReadShared)
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

// The track file's data starts 44 bytes in, so it never lines up with the
// image's pages. The kernel copies such data fast only in large steps: with
// a pipe of 1 MiB it keeps pace with cp, through copy_file_range's own 64 KiB
// pipe it does not, and reading into a buffer and writing from it costs a
// second pass through memory.
constexpr int kPipeBytes = 1 << 20;

// One read or write, made again when a signal interrupted it.
template <typename Call> Transfer Retrying(Call call)
{
    for (;;) {
        const ssize_t done = call();
        if (done >= 0)
            return {static_cast<std::size_t>(done), 0};
        if (errno != EINTR)
            return {0, errno};
    }
}

} // namespace

FileHandle::~FileHandle()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int FileHandle::Open(const std::string &path, OpenMode mode)
{
    if (fd_ >= 0)
        ::close(std::exchange(fd_, -1));
    regular_ = false;
    if (path.find('\0') != std::string::npos)
        return ENOENT;
    const int fd = ::open(path.c_str(), OpenFlags(path, mode), 0666);
    if (fd < 0)
        return errno;
    if (const int failure = Prepare(fd, mode, regular_); failure != 0) {
        ::close(fd);
        regular_ = false;
        return failure;
    }
    fd_ = fd;
    return 0;
}

int FileHandle::Size(std::int64_t &size) const
{
    struct stat info {
    };
    if (::fstat(fd_, &info) != 0)
        return errno;
    size = static_cast<std::int64_t>(info.st_size);
    return 0;
}

Transfer FileHandle::Read(void *buffer, std::size_t count)
{
    return Retrying([&] { return ::read(fd_, buffer, count); });
}

Transfer FileHandle::ReadAt(void *buffer, std::size_t count, std::int64_t position)
{
    return Retrying([&] { return ::pread(fd_, buffer, count, static_cast<off_t>(position)); });
}

Transfer FileHandle::Write(const void *buffer, std::size_t count)
{
    return Retrying([&] { return ::write(fd_, buffer, count); });
}

int FileHandle::Close()
{
    // Linux frees the descriptor whatever close reports, so it is never
    // closed twice. An interrupted close counts as failed: the file system
    // may not have taken the data.
    const int fd = std::exchange(fd_, -1);
    if (fd >= 0 && ::close(fd) != 0)
        return errno;
    return 0;
}

DirectCopy::DirectCopy() = default;

DirectCopy::~DirectCopy()
{
    for (int fd : pipe_)
        if (fd >= 0)
            ::close(fd);
}

// Splices into regular files only, through a pipe made large enough.
bool DirectCopy::Ready()
{
    if (unusable_)
        return false;
    if (pipe_[0] < 0) {
        if (::pipe2(pipe_, O_CLOEXEC) != 0) {
            pipe_[0] = pipe_[1] = -1;
            unusable_ = true;
            return false;
        }
        if (::fcntl(pipe_[1], F_SETPIPE_SZ, kPipeBytes) < kPipeBytes) {
            unusable_ = true; // a small pipe is slower than a buffer
            return false;
        }
    }
    return true;
}

std::int64_t DirectCopy::Move(FileHandle &from, std::int64_t position, std::int64_t count,
                              FileHandle &to, int &error)
{
    error = 0;
    if (!to.IsRegularFile() || !Ready())
        return -1;
    loff_t at = position;
    ssize_t in = 0;
    do
        in = ::splice(from.fd_, &at, pipe_[1], nullptr,
                      static_cast<std::size_t>(std::min<std::int64_t>(count, kPipeBytes)), 0);
    while (in < 0 && errno == EINTR);
    if (in < 0) {
        if (errno != EINVAL) {
            error = errno;
            return 0;
        }
        unusable_ = true; // the image cannot be spliced from
        return -1;
    }
    std::int64_t left = in;
    while (left > 0) {
        const ssize_t out =
            ::splice(pipe_[0], nullptr, to.fd_, nullptr, static_cast<std::size_t>(left), 0);
        if (out < 0 && errno == EINTR)
            continue;
        if (out < 0 && errno == EINVAL) {
            // A file system that takes writes but no splices: what is in
            // the pipe goes out the plain way, and so does all that follows.
            unusable_ = true;
            std::vector<char> buffer(static_cast<std::size_t>(left));
            std::size_t got = 0;
            while (got < buffer.size()) {
                const Transfer read = Retrying(
                    [&] { return ::read(pipe_[0], buffer.data() + got, buffer.size() - got); });
                if (read.bytes == 0) {
                    error = read.error != 0 ? read.error : EIO;
                    return in - left;
                }
                got += read.bytes;
            }
            for (std::size_t put = 0; put < buffer.size();) {
                const Transfer written = to.Write(buffer.data() + put, buffer.size() - put);
                if (written.bytes == 0) {
                    error = written.error != 0 ? written.error : ENOSPC;
                    return in - left;
                }
                put += written.bytes;
                left -= static_cast<std::int64_t>(written.bytes);
            }
            break;
        }
        if (out <= 0) {
            error = out < 0 ? errno : ENOSPC;
            return in - left;
        }
        left -= out;
    }
    return in;
}

} // namespace vorsa::platform
