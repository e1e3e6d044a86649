// vorsa-cli run as a process on generated discs: what it prints, the files
// it writes, and its exit statuses.
#include "CliProcess.h"
#include "DiscBuilder.h"
#include "RowNames.h"
#include "TempDir.h"
#include "VorsaVersion.h"
#include "WavExpectation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace vorsa::testing
{
namespace
{

using namespace std::string_literals;

using DiscWriter = GeneratedDisc (*)(const TempDir &, std::string_view,
                                     const std::vector<std::int32_t> &, int);

struct DiscKind {
    const char *name;
    DiscWriter write;
    const char *imageName;
};

void PrintTo(const DiscKind &kind, std::ostream *os)
{
    *os << kind.name;
}

const DiscKind kCueSheet{"CueSheet", WriteCueDisc, "disc.bin"};
const DiscKind kCcdFile{"CcdFile", WriteCcdDisc, "disc.img"};

class CliOnDisc : public ::testing::TestWithParam<DiscKind>
{
protected:
    TempDir dir;
};

INSTANTIATE_TEST_SUITE_P(Kinds, CliOnDisc, ::testing::Values(kCueSheet, kCcdFile),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_P(CliOnDisc, ListPrintsImagePathThenOneCaptionPerTrack)
{
    // Starts 00:00:00, 00:03:74 and 01:04:09; the image lasts 66 whole seconds.
    const GeneratedDisc disc = GetParam().write(dir, "disc", {299, 4510, 160}, 1000);

    const CliResult result = RunCli({"list", disc.descriptionPath});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              dir.File(GetParam().imageName) + "\n001 / 00 : 03\n002 / 01 : 01\n003 / 00 : 02\n");
    EXPECT_EQ(result.err, "");
}

// Discs written by older tools carry upper-case names.
TEST(CliList, ReadsUpperCaseCueAsCueSheet)
{
    TempDir dir;
    const std::string sheet = dir.Write("DISC.CUE", CueSheetText({0}, "disc.bin"));
    WritePatternImage(dir.File("DISC.bin"), 75 * kSectorBytes);

    const CliResult result = RunCli({"list", sheet});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, dir.File("DISC.bin") + "\n001 / 00 : 01\n");
}

TEST_P(CliOnDisc, ExtractWritesTheSelectedTracksByteForByte)
{
    // The tail of fewer than 2352 bytes is not copied.
    const GeneratedDisc disc = GetParam().write(dir, "disc", {40, 30, 20}, 1000);
    TempDir out;

    const CliResult result = RunCli({"extract", disc.descriptionPath, "--prefix", "cd", "--folder",
                                     out.Path(), "--tracks", "1,3"});

    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(Lines(result.err).back(), "終わりました");
    EXPECT_EQ(WavMismatch(out.Read("cd01.wav"), ExpectedTrackFile(disc, 0, 40)), "");
    EXPECT_FALSE(FileExists(out.File("cd02.wav")));
    EXPECT_EQ(WavMismatch(out.Read("cd03.wav"), ExpectedTrackFile(disc, 70, 20)), "");
}

struct SelectionRow {
    const char *name;
    std::vector<std::string> options;
    std::vector<bool> written; // tracks 1 to 4
};

void PrintTo(const SelectionRow &row, std::ostream *os)
{
    *os << row.name;
}

class CliTrackSelection : public ::testing::TestWithParam<SelectionRow>
{
};

TEST_P(CliTrackSelection, WritesExactlyTheListedTracks)
{
    TempDir dir;
    const GeneratedDisc disc = WriteCueDisc(dir, "disc", {3, 4, 5, 6});
    TempDir out;
    std::vector<std::string> arguments{"extract", disc.descriptionPath, "-p", "t", "-d",
                                       out.Path()};
    arguments.insert(arguments.end(), GetParam().options.begin(), GetParam().options.end());

    const CliResult result = RunCli(arguments);

    ASSERT_EQ(result.status, 0) << result.err;
    const std::int64_t starts[] = {0, 3, 7, 12};
    for (int track = 1; track <= 4; ++track) {
        const std::string name = "t0" + std::to_string(track) + ".wav";
        if (GetParam().written[static_cast<std::size_t>(track - 1)])
            EXPECT_EQ(
                WavMismatch(out.Read(name), ExpectedTrackFile(disc, starts[track - 1], track + 2)),
                "")
                << name;
        else
            EXPECT_FALSE(FileExists(out.File(name))) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CliTrackSelection,
    ::testing::Values(SelectionRow{"DefaultIsAll", {}, {true, true, true, true}},
                      SelectionRow{"All", {"--tracks", "all"}, {true, true, true, true}},
                      SelectionRow{"Range", {"--tracks=2-3"}, {false, true, true, false}},
                      SelectionRow{"NumbersAndRange", {"-t", "1,3-4"}, {true, false, true, true}},
                      SelectionRow{"LastTrack", {"-t4"}, {false, false, false, true}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CliFolder, GetsOneDelimiterAtItsEnd)
{
    TempDir dir;
    const GeneratedDisc disc = WriteCueDisc(dir, "disc", {2});
    for (const char *suffix : {"", "/"}) {
        TempDir out;
        const CliResult result = RunCli(
            {"extract", disc.descriptionPath, "--prefix", "a", "--folder", out.Path() + suffix});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(WavMismatch(out.Read("a01.wav"), ExpectedTrackFile(disc, 0, 2)), "")
            << "folder suffix " << suffix;
    }
}

TEST(CliProgress, ShowsTrackAndPercentOnPlainLinesWithoutFlooding)
{
    TempDir dir;
    const GeneratedDisc disc = WriteCueDisc(dir, "disc", {300, 7});
    TempDir out;

    const CliResult result =
        RunCli({"extract", disc.descriptionPath, "--prefix", "p", "--folder", out.Path()});

    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> lines = Lines(result.err);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines.front(), "1曲目   0%");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1曲目 100%"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "2曲目   0%"), lines.end());
    EXPECT_EQ(lines[lines.size() - 2], "2曲目 100%");
    EXPECT_EQ(lines.back(), "終わりました");
    // 300 sectors move the bar 100 times; a log gets a line per tenth.
    EXPECT_LE(lines.size(), 2u * 11u + 1u);
}

// Exit status and the one line on standard error for everything that ends a
// command early. Paths depend on the test's folder, so rows build them.
struct Context {
    const TempDir &dir;
    const GeneratedDisc &disc;
    const TempDir &out;
};

struct StatusRow {
    const char *name;
    std::function<std::vector<std::string>(const Context &)> arguments;
    int status;
    // The whole of standard error; empty: one line naming the program.
    std::function<std::string(const Context &)> message;
};

void PrintTo(const StatusRow &row, std::ostream *os)
{
    *os << row.name;
}

class CliStatus : public ::testing::TestWithParam<StatusRow>
{
};

TEST_P(CliStatus, EndsWithItsStatusAndOneLine)
{
    TempDir dir;
    const GeneratedDisc disc = WriteCueDisc(dir, "disc", {5, 5});
    TempDir out;
    const Context context{dir, disc, out};

    const CliResult result = RunCli(GetParam().arguments(context));

    EXPECT_EQ(result.status, GetParam().status) << result.err;
    EXPECT_EQ(result.out, "");
    if (GetParam().message) {
        EXPECT_EQ(result.err, GetParam().message(context) + "\n");
    } else {
        EXPECT_EQ(result.err.rfind("vorsa-cli: ", 0), 0u) << result.err;
        EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    }
    EXPECT_FALSE(FileExists(out.File("cd01.wav")));
}

std::vector<std::string> Extract(const Context &c, std::vector<std::string> more)
{
    std::vector<std::string> arguments{"extract", c.disc.descriptionPath};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

std::vector<std::string> ExtractTo(const Context &c, std::vector<std::string> more)
{
    more.insert(more.begin(), {"--prefix", "cd", "--folder", c.out.Path()});
    return Extract(c, more);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, CliStatus,
    ::testing::Values(
        StatusRow{"NotAudioCd",
                  [](const Context &c) {
                      return std::vector<std::string>{
                          "list", c.dir.Write("data.cue", "FILE \"data.bin\" BINARY\r\n"
                                                          "  TRACK 01 MODE1/2352\r\n"
                                                          "    INDEX 01 00:00:00\r\n")};
                  },
                  2, [](const Context &) { return std::string("音楽CDではありません"); }},
        StatusRow{
            "MultiSession",
            [](const Context &c) {
                WritePatternImage(c.dir.File("two.img"), 10 * kSectorBytes);
                return std::vector<std::string>{
                    "extract", c.dir.Write("two.ccd", CcdTextForTracks({{0, 0, 1}, {5, 1, 2}})),
                    "-p",      "cd",
                    "-d",      c.out.Path()};
            },
            2,
            [](const Context &) {
                return std::string("マルチセッションタイプのイメージは扱えません");
            }},
        StatusRow{
            "MissingImage",
            [](const Context &c) {
                std::remove(c.disc.imagePath.c_str());
                return ExtractTo(c, {});
            },
            1, [](const Context &c) { return "ファイル " + c.disc.imagePath + " は開けません."; }},
        // Every byte of the message, a NUL included.
        StatusRow{"NulInATime",
                  [](const Context &c) {
                      // Not "nul": a device's name on Windows.
                      WritePatternImage(c.dir.File("time.bin"), 10 * kSectorBytes);
                      return std::vector<std::string>{
                          "list", c.dir.Write("time.cue", "FILE \"time.bin\" BINARY\r\n"
                                                          "  TRACK 01 AUDIO\r\n"
                                                          "    INDEX 01 00:0\0:00\r\n"
                                                          "  TRACK 02 AUDIO\r\n"
                                                          "    INDEX 01 00:05:00\r\n"s)};
                  },
                  1, [](const Context &) { return "'0\0' は整数ではありません."s; }},
        StatusRow{"MissingDescriptionFile",
                  [](const Context &c) {
                      return std::vector<std::string>{"list", c.dir.File("none.cue")};
                  },
                  1, [](const Context &) { return std::string("ファイルが見つかりません."); }},
        StatusRow{"FolderThatIsGone",
                  [](const Context &c) {
                      return Extract(c, {"--prefix", "cd", "--folder", c.out.File("gone")});
                  },
                  1,
                  [](const Context &c) {
                      return "ファイル " + c.out.File("gone/cd01.wav") + " を作成できません.";
                  }},
        StatusRow{"NoPrefix",
                  [](const Context &c) {
                      return Extract(c, {"--folder", c.out.Path()});
                  },
                  64, nullptr},
        StatusRow{"EmptyPrefix",
                  [](const Context &c) {
                      return Extract(c, {"--prefix", "", "--folder", c.out.Path()});
                  },
                  2, [](const Context &) { return std::string("Wave接頭語を指定してください"); }},
        StatusRow{"NoFolder",
                  [](const Context &c) {
                      return Extract(c, {"--prefix", "cd"});
                  },
                  64, nullptr},
        // An empty folder must not turn into the root folder.
        StatusRow{
            "EmptyFolder",
            [](const Context &c) {
                return Extract(c, {"--prefix", "cd", "--folder", ""});
            },
            2, [](const Context &) { return std::string("Wave保存先フォルダを指定してください"); }},
        StatusRow{"NoArguments", [](const Context &) { return std::vector<std::string>{}; }, 64,
                  nullptr},
        StatusRow{"UnknownCommand",
                  [](const Context &c) {
                      return std::vector<std::string>{"rip", c.disc.descriptionPath};
                  },
                  64, nullptr},
        StatusRow{"DescriptionFileAfterDoubleDash",
                  [](const Context &c) {
                      return std::vector<std::string>{"list", "--", c.dir.File("-x.cue")};
                  },
                  1, [](const Context &) { return std::string("ファイルが見つかりません."); }},
        StatusRow{"MissingFile", [](const Context &) { return std::vector<std::string>{"list"}; },
                  64, nullptr},
        StatusRow{"SurplusArgument",
                  [](const Context &c) {
                      return std::vector<std::string>{"list", c.disc.descriptionPath, "more"};
                  },
                  64, nullptr},
        StatusRow{"UnknownOption", [](const Context &c) { return ExtractTo(c, {"--speed=2"}); }, 64,
                  nullptr},
        StatusRow{"UnknownShortOption", [](const Context &c) { return ExtractTo(c, {"-x"}); }, 64,
                  nullptr},
        StatusRow{"MissingOptionArgument",
                  [](const Context &c) {
                      return Extract(c, {"--folder", c.out.Path(), "--prefix"});
                  },
                  64, nullptr},
        StatusRow{"ExtractOptionOnList",
                  [](const Context &c) {
                      return std::vector<std::string>{"list", c.disc.descriptionPath, "-p", "cd"};
                  },
                  64, nullptr},
        StatusRow{"MalformedTracks",
                  [](const Context &c) {
                      return ExtractTo(c, {"-t", "2-1"});
                  },
                  64, nullptr},
        StatusRow{"TrackNotOnDisc",
                  [](const Context &c) {
                      return ExtractTo(c, {"-t", "1,3"});
                  },
                  64, nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CliInfo, HelpAndVersionGoToStandardOutput)
{
    const CliResult version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "vorsa-cli " VORSA_VERSION "\n");

    for (const char *option : {"--help", "-h"}) {
        const CliResult help = RunCli({"extract", option});
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("Usage: vorsa-cli list FILE\n", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("--tracks"), std::string::npos);
#ifdef _WIN32
        // What a console must be set to for its shell to read the UTF-8 output.
        EXPECT_NE(help.out.find("chcp 65001"), std::string::npos);
        EXPECT_NE(help.out.find("[Console]::OutputEncoding = [Text.Encoding]::UTF8"),
                  std::string::npos);
#endif
        EXPECT_EQ(help.err, "");
    }
}

} // namespace
} // namespace vorsa::testing
