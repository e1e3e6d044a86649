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
    CliResult Extract(void (*inChild)())
    {
        return RunCli({"extract", disc.descriptionPath, "--prefix", "cd", "--folder", out.Path()},
                      {inChild, {}});
    }

    TempDir dir;
    GeneratedDisc disc = WriteCueDisc(dir, "disc", {3, 4});
    TempDir out;
};

// Closed standard descriptors must not be taken by the image or a track
// file, where progress lines would be written into it; and a console that
// nobody reads any more (`vorsa-cli extract ... 2>&1 | head -c1`) must not
// end the run, whose status then tells how it ended.
TEST_P(CliOnTwoTracks, WritesExactTracksAndEndsWithStatus0)
{
    const CliResult result = Extract(GetParam().inChild);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(WavMismatch(out.Read("cd01.wav"), ExpectedTrackFile(disc, 0, 3)), "");
    EXPECT_EQ(WavMismatch(out.Read("cd02.wav"), ExpectedTrackFile(disc, 3, 4)), "");
}

INSTANTIATE_TEST_SUITE_P(Settings, CliOnTwoTracks,
                         ::testing::Values(SettingRow{"OutputAndErrorClosed",
                                                      [] {
                                                          close(STDOUT_FILENO);
                                                          close(STDERR_FILENO);
                                                      }},
                                           SettingRow{"InputAndErrorClosed",
                                                      [] {
                                                          close(STDIN_FILENO);
                                                          close(STDERR_FILENO);
                                                      }},
                                           SettingRow{"ConsoleReaderGone",
                                                      [] {
                                                          int ends[2];
                                                          if (pipe(ends) != 0)
                                                              _exit(127);
                                                          dup2(ends[1], STDERR_FILENO);
                                                          close(ends[0]);
                                                          close(ends[1]);
                                                      }}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(CliOnTwoTracks, FileSizeLimitIsReportedAsAFullDisk)
{
    // ulimit -f: track 2 passes the limit.
    const CliResult result = Extract([] {
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 44 + 4 * 2352 - 1;
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.substr(result.err.rfind("2曲目")),
              "2曲目   0%\nディスクがいっぱいです.\n");
    EXPECT_EQ(WavMismatch(out.Read("cd01.wav"), ExpectedTrackFile(disc, 0, 3)), "");
}

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
