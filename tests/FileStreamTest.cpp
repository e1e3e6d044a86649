// Binary file streams: open and create errors, sharing through locks, the
// 32-bit size rule, and reads and writes that report what they did.
#include "FileStream.h"
#include "Errors.h"
#include "OpenDescriptors.h"
#include "RowNames.h"
#include "TempDir.h"
#include "TextFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#ifndef _WIN32
#include "HeldLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorsa
{
namespace
{

using testing::PrintTo;
using testing::TempDir;

// The message of the error that opening `path` raises, or "no error".
template <typename Error> std::string ErrorText(const std::string &path, FileStream::Mode mode)
{
    try {
        FileStream stream(path, mode);
    } catch (const Error &error) {
        return error.message();
    }
    return "no error";
}

std::string OpenErrorText(const std::string &path)
{
    return ErrorText<EFOpenError>(path, FileStream::Mode::OpenRead);
}

std::string CreateErrorText(const std::string &path)
{
    return ErrorText<EFCreateError>(path, FileStream::Mode::Create);
}

TEST(FileStream, OpenReadFailuresNameThePath)
{
    const TempDir dir;
    dir.Write("a", "");
    for (const std::string &path : {dir.File("missing.bin"), dir.File("no-folder/a.bin"),
                                    dir.Path(), dir.File("a") + std::string("\0bin", 4)}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(OpenErrorText(path), "ファイル " + path + " は開けません");
    }
}

TEST(FileStream, CreateFailuresNameThePath)
{
    const TempDir dir;
    for (const std::string &path : {dir.File("no-folder/01.wav"), dir.Path()}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(CreateErrorText(path), "ファイル " + path + " を作成できません");
    }
}

#ifndef _WIN32
using testing::HeldLock;

TEST(FileStream, OpenReadFailsWhileAnotherProgramWrites)
{
    const TempDir dir;
    const auto path = dir.Write("image.bin", "data");
    const HeldLock writer(path, LOCK_EX);
    EXPECT_EQ(OpenErrorText(path), "ファイル " + path + " は開けません");
}

TEST(FileStream, ReadersShareAFile)
{
    const TempDir dir;
    const auto path = dir.Write("image.bin", "data");
    const HeldLock otherReader(path, LOCK_SH);
    FileStream first(path, FileStream::Mode::OpenRead);
    FileStream second(path, FileStream::Mode::OpenRead);
    EXPECT_EQ(second.Size(), 4);
}
#endif

// The other tests' "no file left open" checks rest on this count.
TEST(FileStream, AnOpenStreamIsCountedAsAnOpenDescriptor)
{
    const TempDir dir;
    const auto path = dir.Write("image.bin", "data");
    const std::size_t before = testing::OpenDescriptorCount();
    {
        const FileStream stream(path, FileStream::Mode::OpenRead);
        EXPECT_EQ(testing::OpenDescriptorCount(), before + 1);
    }
    EXPECT_EQ(testing::OpenDescriptorCount(), before);
}

TEST(FileStream, CreateLeavesAFileOthersReadWhole)
{
    const TempDir dir;
    const auto path = dir.Write("image.bin", "precious");
#ifndef _WIN32
    {
        const testing::HeldLock otherReader(path, LOCK_SH);
        EXPECT_EQ(CreateErrorText(path), "ファイル " + path + " を作成できません");
    }
#endif
    {
        // The image itself, open for reading while a track file of the same
        // name is being created.
        FileStream image(path, FileStream::Mode::OpenRead);
        EXPECT_EQ(CreateErrorText(path), "ファイル " + path + " を作成できません");
    }
    EXPECT_EQ(dir.Read("image.bin"), "precious");
}

TEST(FileStream, CreatedFileIsNotShared)
{
    const TempDir dir;
    const auto path = dir.File("01.wav");
    FileStream track(path, FileStream::Mode::Create);
    EXPECT_EQ(OpenErrorText(path), "ファイル " + path + " は開けません");
    EXPECT_THROW(TextFile{path}, EInOutError);
}

TEST(FileStream, CreateEmptiesAnExistingFileAndWritesIt)
{
    const TempDir dir;
    const auto path = dir.Write("01.wav", std::string(5000, 'x'));
    {
        FileStream track(path, FileStream::Mode::Create);
        EXPECT_EQ(track.Size(), 0);
        EXPECT_EQ(track.Write("RIFF", 4), 4);
        EXPECT_EQ(track.LastError(), 0);
    }
    EXPECT_EQ(dir.Read("01.wav"), "RIFF");
}

#ifndef _WIN32
TEST(FileStream, CreateHonoursTheUmask)
{
    const TempDir dir;
    const mode_t mask = ::umask(027);
    const auto path = dir.File("01.wav");
    {
        FileStream track(path, FileStream::Mode::Create);
    }
    ::umask(mask);
    struct stat info {
    };
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}
#endif

TEST(FileStream, ReadStopsAtTheEnd)
{
    const TempDir dir;
    FileStream stream(dir.Write("image.bin", "0123456789"), FileStream::Mode::OpenRead);
    std::array<char, 16> buffer{};
    EXPECT_EQ(stream.ReadAt(buffer.data(), 16, 6), 4);
    EXPECT_EQ(std::string(buffer.data(), 4), "6789");
    EXPECT_EQ(stream.LastError(), 0);
    EXPECT_EQ(stream.ReadAt(buffer.data(), 16, 100), 0);
    EXPECT_EQ(stream.LastError(), 0);
}

#ifndef _WIN32
TEST(FileStream, WriteToAFullDiskReportsIt)
{
    const TempDir dir;
    const auto path = dir.File("01.wav");
    ASSERT_EQ(::symlink("/dev/full", path.c_str()), 0);
    FileStream track(path, FileStream::Mode::Create);
    const std::string header(44, 'h');
    EXPECT_LT(track.Write(header.data(), 44), 44);
    EXPECT_EQ(track.LastError(), ENOSPC);
    EXPECT_EQ(InOutErrorMessage(InOutCode(track.LastError())), "ディスクがいっぱいです");
}

// Bytes this process has handed to write(2) so far.
std::int64_t BytesWritten()
{
    std::ifstream io("/proc/self/io");
    std::string field;
    std::int64_t value = 0;
    while (io >> field >> value)
        if (field == "wchar:")
            return value;
    return -1;
}

TEST(FileStream, WriteAllTakesMoreThan2GiBAtOnce)
{
    // /dev/null takes the bytes without reading them, so the mapping's
    // pages are never touched and cost no memory.
    constexpr std::int64_t kBytes = (3LL << 30) + 5;
    void *const bytes =
        ::mmap(nullptr, kBytes, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(bytes, MAP_FAILED);
    FileStream sink("/dev/null", FileStream::Mode::Create);
    const std::int64_t before = BytesWritten();
    EXPECT_NO_THROW(WriteAll(sink, bytes, kBytes));
    EXPECT_GE(BytesWritten() - before, kBytes); // the sanitizers may write too
    ::munmap(bytes, kBytes);
}

TEST(FileStream, ReadErrorIsRecorded)
{
    // Reading our own memory at address 0 fails with EIO.
    FileStream stream("/proc/self/mem", FileStream::Mode::OpenRead);
    std::array<char, 16> buffer{};
    EXPECT_EQ(stream.ReadAt(buffer.data(), 16, 0), 0);
    EXPECT_EQ(stream.LastError(), EIO);
}
#endif

TEST(FileStream, SizeOfAFileOf3GiBStaysPositive)
{
    const TempDir dir;
    const auto path = dir.File("huge.img");
    FileStream(path, FileStream::Mode::Create).Close();
    std::filesystem::resize_file(path, 3LL << 30); // sparse: no disk used
    FileStream image(path, FileStream::Mode::OpenRead);
    EXPECT_EQ(image.Size(), 2147483647);
}

struct SizeCase {
    long long size;
    std::int32_t taken;
};

class ClampFileSizeRule : public ::testing::TestWithParam<SizeCase>
{
};

TEST_P(ClampFileSizeRule, NeverWraps)
{
    EXPECT_EQ(ClampFileSize(GetParam().size), GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ClampFileSizeRule,
                         ::testing::Values(SizeCase{0, 0}, SizeCase{2352, 2352},
                                           SizeCase{2147483647LL, 2147483647},
                                           SizeCase{2147483648LL, 2147483647},
                                           SizeCase{(1LL << 32) + 2352, 2147483647},
                                           SizeCase{-1, 0}));

} // namespace
} // namespace vorsa
