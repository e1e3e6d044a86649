#include "SectorCopier.h"

#include "Errors.h"
#include "FileStream.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace vorsa
{

namespace
{

// The track file's data starts 44 bytes in, so it never lines up with the
// image's pages. The kernel copies such data fast only in large steps: with
// a pipe of 1 MiB it keeps pace with cp, through copy_file_range's own 64 KiB
// pipe it does not, and reading into a buffer and writing from it costs a
// second pass through memory.
constexpr int kPipeBytes = 1 << 20;
constexpr std::size_t kBufferBytes = 2 << 20;

[[noreturn]] void ThrowInOut(int err)
{
    throw EInOutError(InOutCodeFromErrno(err));
}

} // namespace

SectorCopier::SectorCopier(FileStream &image, std::int64_t imageSize)
    : image_(image), imageSize_(imageSize)
{
}

SectorCopier::~SectorCopier()
{
    for (int fd : pipe_)
        if (fd >= 0)
            ::close(fd);
}

void SectorCopier::Copy(FileStream &track, std::int64_t position, std::int64_t count)
{
    while (count > 0) {
        std::int64_t moved = 0;
        if (position < 0) {
            moved = std::min(count, -position);
            WriteZeros(track, moved);
        } else if (position >= imageSize_) {
            moved = count;
            WriteZeros(track, moved);
        } else {
            const std::int64_t held = std::min(count, imageSize_ - position);
            moved = CanSplice(track) ? SpliceHeld(track, position, held)
                                     : CopyThroughBuffer(track, position, held);
            // An end before the size the run started with: the image was
            // cut short under the run, and zeros would pass for its sound.
            if (moved == 0)
                throw EInOutError(kIoReadPastEnd);
        }
        position += moved;
        count -= moved;
    }
}

// Splices into regular files only, through a pipe made large enough.
bool SectorCopier::CanSplice(const FileStream &track)
{
    if (spliceFailed_ || !track.IsRegularFile())
        return false;
    if (pipe_[0] < 0) {
        if (::pipe2(pipe_, O_CLOEXEC) != 0) {
            pipe_[0] = pipe_[1] = -1;
            spliceFailed_ = true;
            return false;
        }
        if (::fcntl(pipe_[1], F_SETPIPE_SZ, kPipeBytes) < kPipeBytes) {
            spliceFailed_ = true; // a small pipe is slower than the buffer
            return false;
        }
    }
    return true;
}

// Returns the bytes moved, 0 at the end of the image.
std::int64_t SectorCopier::SpliceHeld(FileStream &track, std::int64_t position, std::int64_t count)
{
    loff_t from = position;
    ssize_t in = 0;
    do
        in = ::splice(image_.Handle(), &from, pipe_[1], nullptr,
                      static_cast<std::size_t>(std::min<std::int64_t>(count, kPipeBytes)), 0);
    while (in < 0 && errno == EINTR);
    if (in < 0) {
        if (errno != EINVAL)
            ThrowInOut(errno);
        spliceFailed_ = true; // the image cannot be spliced from
        return CopyThroughBuffer(track, position, count);
    }
    std::int64_t left = in;
    while (left > 0) {
        const ssize_t out =
            ::splice(pipe_[0], nullptr, track.Handle(), nullptr, static_cast<std::size_t>(left), 0);
        if (out < 0 && errno == EINTR)
            continue;
        if (out < 0 && errno == EINVAL) {
            // A file system that takes writes but no splices: what is in
            // the pipe goes out the plain way, and so does all that follows.
            spliceFailed_ = true;
            DrainPipe(track, left);
            break;
        }
        if (out <= 0)
            ThrowInOut(out < 0 ? errno : ENOSPC);
        left -= out;
    }
    return in;
}

void SectorCopier::DrainPipe(FileStream &track, std::int64_t count)
{
    std::vector<char> &buffer = Buffer();
    while (count > 0) {
        const ssize_t got = ::read(pipe_[0], buffer.data(),
                                   std::min(buffer.size(), static_cast<std::size_t>(count)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            ThrowInOut(got < 0 ? errno : EIO);
        WriteAll(track, buffer.data(), got);
        count -= got;
    }
}

// Returns the bytes moved, 0 at the end of the image.
std::int64_t SectorCopier::CopyThroughBuffer(FileStream &track, std::int64_t position,
                                             std::int64_t count)
{
    std::vector<char> &buffer = Buffer();
    const auto wanted = std::min(buffer.size(), static_cast<std::size_t>(count));
    std::size_t got = 0;
    while (got < wanted) {
        const ssize_t read = ::pread(image_.Handle(), buffer.data() + got, wanted - got,
                                     static_cast<off_t>(position) + static_cast<off_t>(got));
        if (read < 0 && errno == EINTR)
            continue;
        if (read < 0)
            ThrowInOut(errno);
        if (read == 0)
            break;
        got += static_cast<std::size_t>(read);
    }
    WriteAll(track, buffer.data(), static_cast<std::int64_t>(got));
    return static_cast<std::int64_t>(got);
}

void SectorCopier::WriteZeros(FileStream &track, std::int64_t count)
{
    std::vector<char> &buffer = Buffer();
    while (count > 0) {
        const auto size = std::min(buffer.size(), static_cast<std::size_t>(count));
        std::fill_n(buffer.begin(), size, 0);
        WriteAll(track, buffer.data(), static_cast<std::int64_t>(size));
        count -= static_cast<std::int64_t>(size);
    }
}

std::vector<char> &SectorCopier::Buffer()
{
    if (buffer_.empty())
        buffer_.resize(kBufferBytes);
    return buffer_;
}

} // namespace vorsa
