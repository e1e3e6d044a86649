#include "TextFile.h"

#include "Errors.h"
#include "FileStream.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <iterator>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vorsa
{

namespace
{

// Description files are small; one read of this size takes most of them whole.
constexpr std::size_t kBlockBytes = 64 * 1024;

constexpr char kLineFeed = 10;
constexpr char kCarriageReturn = 13;
constexpr char kEndOfText = 26; // Ctrl-Z: nothing after it belongs to the text

} // namespace

TextFile::TextFile(const std::string &path) : path_(path)
{
    // A name cut at a NUL byte would open another file than the one named:
    // no file has such a name.
    if (path.find('\0') != std::string::npos)
        throw EInOutError(kIoPathNotFound);
    // Opened without waiting: a named pipe with no writer would otherwise
    // hold the window's one thread at the open for good. Reads wait as usual.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0)
        throw EInOutError(InOutCodeFromErrno(errno, path));

    int failure = 0;
    struct stat info {
    };
    if (::fstat(fd_, &info) != 0)
        failure = errno;
    else if (S_ISDIR(info.st_mode))
        failure = EISDIR; // a folder opens on Linux, but it is no text to read
    else
        failure = ClearNonBlocking(fd_);
    // Others may read the file while we do, but not write it. Linux cannot
    // refuse a writer that does not ask: the shared lock only keeps out
    // programs that take an exclusive lock themselves, and one that already
    // holds such a lock makes this open fail as a sharing violation.
    if (failure == 0 && ::flock(fd_, LOCK_SH | LOCK_NB) != 0)
        failure = errno;
    if (failure != 0) {
        ::close(fd_);
        fd_ = -1;
        throw EInOutError(InOutCodeFromErrno(failure, path));
    }
}

TextFile::~TextFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool TextFile::Fill()
{
    if (endOfData_)
        return false;
    buffer_.resize(kBlockBytes);
    pos_ = 0;
    for (;;) {
        const ssize_t got = ::read(fd_, buffer_.data(), buffer_.size());
        if (got > 0) {
            buffer_.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (got < 0 && errno == EINTR)
            continue;
        const int failure = got < 0 ? errno : 0;
        buffer_.clear();
        if (failure != 0)
            throw EInOutError(InOutCodeFromErrno(failure, path_));
        endOfData_ = true;
        return false;
    }
}

bool TextFile::Eof()
{
    if (pos_ >= buffer_.size() && !Fill())
        return true;
    if (buffer_[pos_] == kEndOfText) {
        // Stay at the end for good: later calls must not read past the mark.
        endOfData_ = true;
        buffer_.clear();
        pos_ = 0;
        return true;
    }
    return false;
}

std::string TextFile::ReadLine()
{
    std::string line;
    std::size_t taken = 0; // bytes of the file this line has used up
    // At the end of the text a read gives an empty line, as it always has.
    while (!Eof()) {
        const char *begin = buffer_.data() + pos_;
        const char *end = buffer_.data() + buffer_.size();
        const char *stop = std::find_if(
            begin, end, [](char byte) { return byte == kLineFeed || byte == kEndOfText; });
        taken += static_cast<std::size_t>(stop - begin);
        if (taken > kMaxLineBytes)
            throw ELineTooLongError(path_);
        // A CR before LF is part of the line end, a lone CR is dropped:
        // either way no CR reaches the line.
        std::remove_copy(begin, stop, std::back_inserter(line), kCarriageReturn);
        pos_ = static_cast<std::size_t>(stop - buffer_.data());
        if (stop != end && *stop == kLineFeed) {
            ++pos_;
            break;
        }
        // Otherwise the block ran out (Eof refills it) or byte 26 was met.
    }
    return line;
}

} // namespace vorsa
