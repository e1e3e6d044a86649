// The file layer on Windows: CreateFileW with the sharing modes that say who
// else may use the file, ReadFile and WriteFile. Names come in the process's
// ANSI code page, as every narrow text of the program does, and reach the
// system in UTF-16: the A calls stop at 260 characters even where the system
// takes longer paths.
#include "FileHandle.h"

#include "SystemText.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <utility>

namespace vorsa::platform
{

namespace
{

HANDLE AsHandle(void *handle)
{
    return static_cast<HANDLE>(handle);
}

// ReadFile and WriteFile take at most a DWORD at a time.
DWORD StepBytes(std::size_t count)
{
    return static_cast<DWORD>(std::min<std::size_t>(count, std::numeric_limits<DWORD>::max()));
}

} // namespace

FileHandle::~FileHandle()
{
    if (handle_ != nullptr)
        ::CloseHandle(AsHandle(handle_));
}

int FileHandle::Open(const std::string &path, OpenMode mode)
{
    if (handle_ != nullptr)
        ::CloseHandle(AsHandle(std::exchange(handle_, nullptr)));
    regular_ = false;
    if (path.find('\0') != std::string::npos)
        return ERROR_INVALID_NAME;
    // Bytes that are no character of the code page (a UTF-8 name read
    // under 932, say) name no file: refused rather than guessed at.
    const std::wstring name = ToUtf16(path, CP_ACP, MB_ERR_INVALID_CHARS);
    if (name.empty() && !path.empty())
        return ERROR_INVALID_NAME;
    const bool create = mode == OpenMode::CreateExclusive;
    // Reading lets others read too, not write; and a file that someone
    // already writes is refused (a sharing violation, 32). A track file is
    // emptied only when nobody else has it open: CREATE_ALWAYS with no
    // sharing fails before it truncates. The image is read front to back.
    const HANDLE handle = ::CreateFileW(
        name.c_str(), create ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
        create ? 0 : FILE_SHARE_READ, nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING,
        create ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN,
        nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return static_cast<int>(::GetLastError());
    regular_ = ::GetFileType(handle) == FILE_TYPE_DISK;
    handle_ = handle;
    return 0;
}

int FileHandle::Size(std::int64_t &size) const
{
    LARGE_INTEGER value{};
    if (!::GetFileSizeEx(AsHandle(handle_), &value))
        return static_cast<int>(::GetLastError());
    size = value.QuadPart;
    return 0;
}

Transfer FileHandle::Read(void *buffer, std::size_t count)
{
    DWORD got = 0;
    if (!::ReadFile(AsHandle(handle_), buffer, StepBytes(count), &got, nullptr)) {
        const DWORD error = ::GetLastError();
        // The writing end of a pipe has gone: its data has all been read.
        if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF)
            return {0, 0};
        return {got, static_cast<int>(error)};
    }
    return {got, 0};
}

Transfer FileHandle::ReadAt(void *buffer, std::size_t count, std::int64_t position)
{
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(position));
    at.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(position) >> 32);
    DWORD got = 0;
    if (!::ReadFile(AsHandle(handle_), buffer, StepBytes(count), &got, &at)) {
        const DWORD error = ::GetLastError();
        // A synchronous read at or past the end fails with this code.
        if (error == ERROR_HANDLE_EOF)
            return {0, 0};
        return {got, static_cast<int>(error)};
    }
    return {got, 0};
}

Transfer FileHandle::Write(const void *buffer, std::size_t count)
{
    DWORD put = 0;
    if (!::WriteFile(AsHandle(handle_), buffer, StepBytes(count), &put, nullptr))
        return {put, static_cast<int>(::GetLastError())};
    return {put, 0};
}

int FileHandle::Close()
{
    const HANDLE handle = AsHandle(std::exchange(handle_, nullptr));
    if (handle != nullptr && !::CloseHandle(handle))
        return static_cast<int>(::GetLastError());
    return 0;
}

// Windows has no splice; ReadFile into a large buffer and WriteFile from it
// keep pace with CopyFileA, so every copy goes through memory.
DirectCopy::DirectCopy() = default;
DirectCopy::~DirectCopy() = default;

std::int64_t DirectCopy::Move(FileHandle &, std::int64_t, std::int64_t, FileHandle &, int &error)
{
    error = 0;
    return -1;
}

} // namespace vorsa::platform
