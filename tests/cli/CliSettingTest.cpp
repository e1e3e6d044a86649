// vorsa-cli started in a harsh setting: standard descriptors closed, a
// console that goes away, a file-size limit, a description file that never
// ends its line.
#include "CliProcess.h"
#include "DiscBuilder.h"
#include "RowNames.h"
#include "TempDir.h"
#include "WavExpectation.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace vorsa::testing
{
namespace
{

using vorsa::testing::PrintTo;

struct SettingRow {
    const char *name;
    void (*inChild)();
};

class CliOnTwoTracks : public ::testing::TestWithParam<SettingRow>
{
protected:
    CliResult Extract()
    {
        return RunCli({"extract", disc.descriptionPath, "--prefix", "cd", "--folder", out.Path()},
                      {GetParam().inChild, {}});
    }

    void ExpectBothTracksExact() const
    {
        EXPECT_EQ(out.Read("cd01.wav"), ExpectedTrackFile(0, 3));
        EXPECT_EQ(out.Read("cd02.wav"), ExpectedTrackFile(3, 4));
    }

    TempDir dir;
    GeneratedDisc disc = WriteCueDisc(dir, "disc", {3, 4});
    TempDir out;
};

// The image and the track files must not take the numbers of closed
// standard descriptors, where progress lines would be written into them.
using CliWithClosedDescriptors = CliOnTwoTracks;

TEST_P(CliWithClosedDescriptors, WritesExactTracks)
{
    const CliResult result = Extract();
    EXPECT_EQ(result.status, 0);
    ExpectBothTracksExact();
}

INSTANTIATE_TEST_SUITE_P(Closed, CliWithClosedDescriptors,
                         ::testing::Values(SettingRow{"OutputAndError",
                                                      [] {
                                                          close(STDOUT_FILENO);
                                                          close(STDERR_FILENO);
                                                      }},
                                           SettingRow{"InputAndError",
                                                      [] {
                                                          close(STDIN_FILENO);
                                                          close(STDERR_FILENO);
                                                      }}),
                         [](const auto &info) { return std::string(info.param.name); });

// Progress lines into a pipe that nobody reads any more, as after
// `vorsa-cli extract ... 2>&1 | head -c1`.
using CliWithConsoleGone = CliOnTwoTracks;

TEST_P(CliWithConsoleGone, RunGoesOnAndItsStatusTellsTheEnd)
{
    const CliResult result = Extract();
    EXPECT_EQ(result.status, 0);
    ExpectBothTracksExact();
}

INSTANTIATE_TEST_SUITE_P(Pipe, CliWithConsoleGone,
                         ::testing::Values(SettingRow{"ReaderClosed",
                                                      [] {
                                                          int ends[2];
                                                          if (pipe(ends) != 0)
                                                              _exit(127);
                                                          dup2(ends[1], STDERR_FILENO);
                                                          close(ends[0]);
                                                          close(ends[1]);
                                                      }}),
                         [](const auto &info) { return std::string(info.param.name); });

// A file-size limit (ulimit -f) that track 2 passes.
using CliWithFileSizeLimit = CliOnTwoTracks;

TEST_P(CliWithFileSizeLimit, IsReportedAsAFullDisk)
{
    const CliResult result = Extract();
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.substr(result.err.rfind("2曲目")),
              "2曲目   0%\nディスクがいっぱいです.\n");
    EXPECT_EQ(out.Read("cd01.wav"), ExpectedTrackFile(0, 3));
}

INSTANTIATE_TEST_SUITE_P(Limit, CliWithFileSizeLimit,
                         ::testing::Values(SettingRow{"FourSectors",
                                                      [] {
                                                          rlimit limit{};
                                                          getrlimit(RLIMIT_FSIZE, &limit);
                                                          limit.rlim_cur = 44 + 4 * 2352 - 1;
                                                          setrlimit(RLIMIT_FSIZE, &limit);
                                                      }}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CliDescriptionFile, LineThatNeverEndsIsRefusedByBothReaders)
{
    TempDir dir;
    for (const char *name : {"zeros.cue", "zeros.ccd"}) {
        const std::string path = dir.File(name);
        ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0);
        const CliResult result = RunCli({"list", path});
        EXPECT_EQ(result.status, 1) << name;
        EXPECT_EQ(result.err, "ファイル " + path + " の行が長すぎます.\n");
    }
}

} // namespace
} // namespace vorsa::testing
