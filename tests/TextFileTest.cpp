// Line rules of text files, their open and read errors, and the mapping of
// system error codes onto the input/output error's codes and messages.
#include "TextFile.h"
#include "Errors.h"
#include "FileStream.h"
#include "RowNames.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>
#ifndef _WIN32
#include "HeldLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorsa
{
namespace
{

using testing::PrintTo;
using testing::TempDir;

// The block the reader takes from the file at once.
constexpr std::size_t kBlock = 64 * 1024;

std::vector<std::string> ReadAllLines(const std::string &path)
{
    TextFile file(path);
    std::vector<std::string> lines;
    while (!file.Eof())
        lines.push_back(file.ReadLine());
    // Once at the end, it stays there.
    EXPECT_EQ(file.ReadLine(), "");
    EXPECT_TRUE(file.Eof());
    return lines;
}

struct LineCase {
    const char *name;
    std::string bytes;
    std::vector<std::string> lines;
};

class TextFileLines : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(TextFileLines, SplitsBytesIntoLines)
{
    const TempDir dir;
    const auto path = dir.Write("input.txt", GetParam().bytes);
    EXPECT_EQ(ReadAllLines(path), GetParam().lines);
}

std::string Run(std::size_t count, char byte = 'a')
{
    return std::string(count, byte);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, TextFileLines,
    ::testing::Values(
        LineCase{"CrLf",
                 "FILE \"a.bin\" BINARY\r\nTRACK 01 AUDIO\r\n",
                 {"FILE \"a.bin\" BINARY", "TRACK 01 AUDIO"}},
        LineCase{"Lf", "one\ntwo\n", {"one", "two"}},
        LineCase{"Mixed", "one\r\ntwo\nthree\r\n", {"one", "two", "three"}},
        LineCase{"LoneCrDropped", "ab\rcd\r\nef\r\rgh\n", {"abcd", "efgh"}},
        LineCase{"CrCrLf", "ab\r\r\ncd", {"ab", "cd"}}, LineCase{"LoneCrAtEnd", "abc\r", {"abc"}},
        LineCase{"NoFinalLineEnd", "one\r\ntwo", {"one", "two"}},
        LineCase{"OneLineWithEnd", "abc\n", {"abc"}},
        LineCase{"EmptyLinesKept", "\n\r\nabc\n\n", {"", "", "abc", ""}}, LineCase{"Empty", "", {}},
        LineCase{"CtrlZEndsMidLine",
                 std::string("abc\x1A"
                             "def\nghi\n"),
                 {"abc"}},
        LineCase{"CtrlZAfterLineEnd",
                 std::string("abc\r\n\x1A"
                             "def\n"),
                 {"abc"}},
        LineCase{"CtrlZFirst",
                 std::string("\x1A"
                             "abc\n"),
                 {}},
        LineCase{"CrBeforeCtrlZDropped", std::string("abc\r\x1A\n"), {"abc"}},
        LineCase{"NothingTrimmed", " \t a b \t \r\n  ", {" \t a b \t ", "  "}},
        LineCase{"HighBytesKept", "\x82\xa0\xe3\x81\x82\n", {"\x82\xa0\xe3\x81\x82"}},
        LineCase{"NulBytesKept", std::string("a\0b\n", 4), {std::string("a\0b", 3)}},
        LineCase{"HugeLine", Run(100001) + "\r\nend", {Run(100001), "end"}},
        LineCase{"HugeLastLine", "x\n" + Run(3 * kBlock + 7, 'b'), {"x", Run(3 * kBlock + 7, 'b')}},
        LineCase{"CrLfSplitAtBlock", Run(kBlock - 1) + "\r\nnext", {Run(kBlock - 1), "next"}},
        LineCase{"LfFirstInBlock", Run(kBlock) + "\nnext", {Run(kBlock), "next"}},
        LineCase{"LfLastInBlock", Run(kBlock - 1) + "\n", {Run(kBlock - 1)}},
        LineCase{"LoneCrAtBlockEnd", Run(kBlock - 1) + "\rb\n", {Run(kBlock - 1) + "b"}},
        LineCase{"CtrlZFirstInBlock", Run(kBlock) + "\x1A" + "more\n", {Run(kBlock)}},
        LineCase{"CtrlZLastInBlock", Run(kBlock - 1) + "\x1A" + "more\n", {Run(kBlock - 1)}},
        LineCase{
            "LineAtTheBound", Run(kMaxLineBytes - 1) + "\r\nend", {Run(kMaxLineBytes - 1), "end"}}),
    [](const auto &info) { return std::string(info.param.name); });

// A line that passes the bound is refused there, so that a file that never
// ends its line is not read until memory runs out.
TEST(TextFile, LineLongerThanTheBoundIsRefused)
{
    const TempDir dir;
    const std::string overBound =
        dir.Write("long.cue", "FILE x\n" + std::string(kMaxLineBytes, 'a') + "\r\nnext\n");
    std::vector<std::string> paths{overBound};
#ifndef _WIN32
    paths.push_back(dir.File("zeros.cue"));
    ASSERT_EQ(::symlink("/dev/zero", paths.back().c_str()), 0);
#endif
    for (const std::string &path : paths) {
        SCOPED_TRACE(path);
        TextFile file(path);
        try {
            while (!file.Eof())
                file.ReadLine();
            FAIL() << "read to the end";
        } catch (const ELineTooLongError &error) {
            EXPECT_EQ(error.what(), "ファイル " + path + " の行が長すぎます");
        }
    }
}

TEST(TextFile, EofIsTrueOnlyWhenNoLineIsLeft)
{
    const TempDir dir;
    TextFile file(dir.Write("two.txt", "a\r\nb\r\n"));
    EXPECT_FALSE(file.Eof());
    EXPECT_EQ(file.ReadLine(), "a");
    EXPECT_FALSE(file.Eof());
    EXPECT_EQ(file.ReadLine(), "b");
    EXPECT_TRUE(file.Eof());
}

struct OpenErrorCase {
    const char *name;
    const char *relativePath; // inside the temporary folder; "" is the folder itself
    const char *message;
};

class TextFileOpenErrors : public ::testing::TestWithParam<OpenErrorCase>
{
};

TEST_P(TextFileOpenErrors, RaiseTheInOutErrorOfTheCause)
{
    const TempDir dir;
    dir.Write("present.txt", "x\n");
    const std::string path = dir.Path() + GetParam().relativePath;
    try {
        TextFile file(path);
        FAIL() << "opened " << path;
    } catch (const EInOutError &error) {
        EXPECT_STREQ(error.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Causes, TextFileOpenErrors,
    ::testing::Values(
        OpenErrorCase{"MissingFile", "/missing.cue", "ファイルが見つかりません"},
        OpenErrorCase{"MissingFolder", "/no-folder/missing.cue", "不正なファイル名です"},
        OpenErrorCase{"FileUsedAsFolder", "/present.txt/missing.cue", "不正なファイル名です"},
        OpenErrorCase{"Folder", "", "ファイルへのアクセスが拒否されました"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextFile, NameWithANulByteIsAnInvalidName)
{
    const TempDir dir;
    const std::string present = dir.Write("present.cue", "x\n");
    try {
        TextFile file(present + std::string("\0.cue", 5));
        FAIL() << "opened the file the name is cut to";
    } catch (const EInOutError &error) {
        EXPECT_EQ(error.message(), InOutErrorMessage(kIoPathNotFound));
    }
}

#ifdef _WIN32
// A byte that starts no character of the code page (65001 here) would become
// U+FFFD on its way to the system, and name the file that holds one.
TEST(TextFile, NameOfBytesNoCharacterSpellsIsAnInvalidName)
{
    const TempDir dir;
    dir.Write("\xEF\xBF\xBD.cue", "x\n");
    try {
        TextFile file(dir.File("\xFF.cue"));
        FAIL() << "opened the file of U+FFFD";
    } catch (const EInOutError &error) {
        EXPECT_EQ(error.message(), InOutErrorMessage(kIoPathNotFound));
    }
}
#endif

#ifndef _WIN32
using testing::HeldLock;

TEST(TextFile, UnreadableFileIsAccessDenied)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const TempDir dir;
    const auto path = dir.Write("secret.cue", "x\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    try {
        TextFile file(path);
        FAIL() << "opened an unreadable file";
    } catch (const EInOutError &error) {
        EXPECT_STREQ(error.what(), "ファイルへのアクセスが拒否されました");
    }
}

TEST(TextFile, FileLockedForWritingIsAccessDenied)
{
    const TempDir dir;
    const auto path = dir.Write("busy.cue", "x\n");
    const HeldLock writer(path, LOCK_EX);
    try {
        TextFile file(path);
        FAIL() << "opened a file another program holds for writing";
    } catch (const EInOutError &error) {
        EXPECT_STREQ(error.what(), "ファイルへのアクセスが拒否されました");
    }
}

TEST(TextFile, OthersMayReadButNotWriteWhileOpen)
{
    const TempDir dir;
    const auto path = dir.Write("shared.cue", "line\n");
    const HeldLock otherReader(path, LOCK_SH);
    TextFile file(path);

    const int probe = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(probe, 0);
    EXPECT_NE(::flock(probe, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(errno, EWOULDBLOCK);
    ::close(probe);
    EXPECT_THROW(FileStream(path, FileStream::Mode::Create), EFCreateError);

    EXPECT_EQ(file.ReadLine(), "line");
}
#endif

TEST(TextFile, ClosingReleasesTheLock)
{
    const TempDir dir;
    const auto path = dir.Write("once.cue", "line\n");
    {
        TextFile file(path);
    }
    EXPECT_NO_THROW(FileStream(path, FileStream::Mode::Create));
}

#ifndef _WIN32
// A named pipe given as a cue sheet must not hold the program at the open;
// with no writer it reads as an empty text. The alarm ends a hung run.
TEST(TextFile, NamedPipeWithNoWriterIsNoHang)
{
    const TempDir dir;
    const std::string path = dir.File("pipe.cue");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    ::alarm(10);
    TextFile file(path);
    EXPECT_TRUE(file.Eof());
    FileStream image(path, FileStream::Mode::OpenRead);
    char byte = 0;
    EXPECT_EQ(image.ReadAt(&byte, 1, 0), 0);
    ::alarm(0);
}

TEST(TextFile, FailedReadRaisesTheInOutError)
{
    // Reading our own memory at address 0 fails with EIO.
    TextFile file("/proc/self/mem");
    try {
        file.Eof();
        FAIL() << "the read did not fail";
    } catch (const EInOutError &error) {
        EXPECT_STREQ(error.what(), "I/O エラー (31)");
    }
}

struct ErrnoCase {
    const char *name;
    int err;
    const char *relativePath; // appended to the temporary folder; nullptr for no path
    const char *message;
};

class ErrnoMapping : public ::testing::TestWithParam<ErrnoCase>
{
};

TEST_P(ErrnoMapping, GivesTheMessageOfTheCause)
{
    const TempDir dir;
    const auto &row = GetParam();
    const std::string path = row.relativePath ? dir.Path() + row.relativePath : "";
    EXPECT_EQ(InOutErrorMessage(InOutCode(row.err, path)), row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, ErrnoMapping,
    ::testing::Values(
        ErrnoCase{"NoEntryWithoutPath", ENOENT, nullptr, "ファイルが見つかりません"},
        ErrnoCase{"NoEntryInFolder", ENOENT, "/missing.cue", "ファイルが見つかりません"},
        ErrnoCase{"NoEntryNoFolder", ENOENT, "/missing/missing.cue", "不正なファイル名です"},
        ErrnoCase{"NotAFolder", ENOTDIR, nullptr, "不正なファイル名です"},
        ErrnoCase{"TooManyOpen", EMFILE, nullptr, "オープンしたファイルが多すぎます"},
        ErrnoCase{"TooManyOpenInSystem", ENFILE, nullptr, "オープンしたファイルが多すぎます"},
        ErrnoCase{"Permission", EACCES, nullptr, "ファイルへのアクセスが拒否されました"},
        ErrnoCase{"Locked", EWOULDBLOCK, nullptr, "ファイルへのアクセスが拒否されました"},
        ErrnoCase{"NoSpace", ENOSPC, nullptr, "ディスクがいっぱいです"},
        ErrnoCase{"Quota", EDQUOT, nullptr, "ディスクがいっぱいです"},
        ErrnoCase{"FileSizeLimit", EFBIG, nullptr, "ディスクがいっぱいです"},
        ErrnoCase{"DeviceFailed", EIO, nullptr, "I/O エラー (31)"}),
    [](const auto &info) { return std::string(info.param.name); });

// errno values that share their number with a code of the table (ESRCH is 3,
// EINTR 4, EIO 5, ENETDOWN 100, ENETUNREACH 101, EISCONN 106 on Linux) must
// not pass for that code.
TEST(ErrnoMapping, UnknownErrnoNeverPassesForATableCode)
{
    for (const int err : {ESRCH, EINTR, ENETDOWN, ENETUNREACH, EISCONN}) {
        SCOPED_TRACE(err);
        const int code = InOutCode(err);
        for (const int tableCode :
             {kIoFileNotFound, kIoPathNotFound, kIoTooManyOpenFiles, kIoAccessDenied,
              kIoReadPastEnd, kIoDiskFull, kIoInvalidNumericInput})
            EXPECT_NE(code, tableCode);
        EXPECT_EQ(InOutErrorMessage(code), "I/O エラー (" + std::to_string(code) + ")");
    }
}

#endif

} // namespace
} // namespace vorsa
