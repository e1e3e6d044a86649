#include "FileStream.h"

#include "Errors.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace vorsa
{

FileStream::FileStream(const std::string &path, Mode mode)
{
    const bool create = mode == Mode::Create;
    if (file_.Open(path, create ? platform::OpenMode::CreateExclusive
                                : platform::OpenMode::ReadShared) != 0) {
        if (create)
            throw EFCreateError(path);
        throw EFOpenError(path);
    }
}

void FileStream::Close()
{
    if (const int failure = file_.Close(); failure != 0)
        throw EInOutError(InOutCode(failure));
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
    std::int64_t size = 0;
    if (const int failure = file_.Size(size); failure != 0)
        throw EInOutError(InOutCode(failure));
    return ClampFileSize(size);
}

std::int64_t FileStream::ReadAt(void *buffer, std::int64_t count, std::int64_t position)
{
    lastError_ = 0;
    auto *bytes = static_cast<std::byte *>(buffer);
    std::int64_t done = 0;
    while (done < count) {
        const platform::Transfer got =
            file_.ReadAt(bytes + done, static_cast<std::size_t>(count - done), position + done);
        lastError_ = got.error;
        if (got.bytes == 0)
            break; // the end of the file: what came so far is the answer
        done += static_cast<std::int64_t>(got.bytes);
    }
    return done;
}

std::int32_t FileStream::Write(const void *buffer, std::int32_t count)
{
    lastError_ = 0;
    const auto *bytes = static_cast<const std::byte *>(buffer);
    std::int32_t done = 0;
    while (done < count) {
        const platform::Transfer put =
            file_.Write(bytes + done, static_cast<std::size_t>(count - done));
        if (put.bytes == 0) {
            // A write that takes nothing without an error has run out of room.
            lastError_ = put.error != 0 ? put.error : platform::DiskFullError();
            break;
        }
        done += static_cast<std::int32_t>(put.bytes);
    }
    return done;
}

void ThrowTransferError(int systemError)
{
    throw EInOutError(InOutCode(systemError != 0 ? systemError : platform::DiskFullError()));
}

void WriteAll(FileStream &file, const void *bytes, std::int64_t count)
{
    constexpr std::int64_t kLargestStep = std::numeric_limits<std::int32_t>::max();
    const auto *next = static_cast<const std::byte *>(bytes);
    while (count > 0) {
        const auto step = static_cast<std::int32_t>(std::min(count, kLargestStep));
        if (file.Write(next, step) != step)
            ThrowTransferError(file.LastError());
        next += step;
        count -= step;
    }
}

} // namespace vorsa
