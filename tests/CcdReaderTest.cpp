#include "ReaderTestSupport.h"

#include "DiscBuilder.h"
#include "DiscFormat.h"
#include "DiscReaders.h"
#include "Errors.h"
#include "Messages.h"
#include "TrackTable.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace vorsa::testing
{
namespace
{

using vorsa::testing::PrintTo;

using Lines = std::vector<std::string>;

const std::string kNotAudio(messages::kNotAudioCd);
const std::string kMulti(messages::kMultiSession);

class CcdReaderTest : public ReaderTest
{
protected:
    // Loads a .ccd file through the open action's sequence.
    void Load(const std::string &path) { LoadControlFile(window, path); }
    void ExpectRefused(const Lines &messages, const Lines &starts)
    {
        EXPECT_EQ(window.Messages(), messages);
        EXPECT_EQ(window.Text(TextControl::Label1), "");
        EXPECT_EQ(window.Text(TextControl::Label2), "");
        EXPECT_EQ(window.SongListCount(), 0);
        EXPECT_EQ(TableEntries(), starts);
    }
};

TEST_F(CcdReaderTest, AudioCdLoadsLikeTheEquivalentCueSheet)
{
    const std::vector<std::int32_t> lengths = {1500, 4537, 75, 2222};
    const GeneratedDisc cue = WriteCueDisc(dir, "sheet", lengths, 1000);
    const GeneratedDisc ccd = WriteCcdDisc(dir, "clone", lengths, 1000);

    Load(cue.descriptionPath);
    const Lines cueStarts = TableEntries();
    const Lines cueCaptions = window.Captions();

    Load(ccd.descriptionPath);
    EXPECT_EQ(window.Text(TextControl::Label1), ccd.descriptionPath);
    EXPECT_EQ(window.Text(TextControl::Label2), ccd.imagePath);
    EXPECT_EQ(TableEntries(), cueStarts);
    EXPECT_EQ(window.Captions(), cueCaptions);
    EXPECT_EQ(window.Captions(),
              (Lines{"001 / 00 : 20", "002 / 01 : 00", "003 / 00 : 01", "004 / 00 : 30"}));
    EXPECT_TRUE(window.Messages().empty());
}

TEST_F(CcdReaderTest, MixedModeDiscListsItsDataTrackToo)
{
    WriteSparseImage(dir.File("mixed.img"), 10 * kBytesPerMinute);
    Load(dir.Write("mixed.ccd", CcdTextForTracks({{0, 1, 1}, {4500, 0, 1}, {9000, 0, 1}})));
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(TableEntries(), (Lines{"00:00:00", "01:00:00", "02:00:00"}));
    EXPECT_EQ(window.Captions(), (Lines{"001 / 01 : 00", "002 / 01 : 00", "003 / 08 : 00"}));
}

TEST_F(CcdReaderTest, TwoSessionDiscIsRefused)
{
    WriteSparseImage(dir.File("enhanced.img"), 10 * kBytesPerMinute);
    Load(dir.Write("enhanced.ccd", CcdTextForTracks({{0, 0, 1}, {4500, 0, 1}, {20000, 2, 2}})));
    ExpectRefused({kMulti}, {"00:00:00", "01:00:00", "04:26:50"});
}

TEST_F(CcdReaderTest, DataOnlyDiscIsRefusedAsNoAudioCd)
{
    WriteSparseImage(dir.File("data.img"), kBytesPerMinute);
    Load(dir.Write("data.ccd", CcdTextForTracks({{0, 1, 1}})));
    ExpectRefused({kNotAudio}, {"00:00:00"});
}

// The paths stay on show while the message box is open and go when it closes.
class WindowSeeingPathsAtMessage : public MemoryWindow
{
public:
    void ShowMessage(const std::string &text) override
    {
        MemoryWindow::ShowMessage(text);
        pathsAtMessage.push_back(Text(TextControl::Label1) + "|" + Text(TextControl::Label2));
    }
    Lines pathsAtMessage;
};

TEST_F(CcdReaderTest, BothReadersEmptyThePathsAfterTheMessage)
{
    WindowSeeingPathsAtMessage seeing;
    const std::string ccd = dir.Write("data.ccd", CcdTextForTracks({{0, 1, 1}}));
    const std::string cue = dir.Write("data.cue", "FILE \"data.bin\" BINARY\n");
    LoadControlFile(seeing, ccd);
    LoadControlFile(seeing, cue);
    EXPECT_EQ(seeing.pathsAtMessage,
              (Lines{ccd + "|" + dir.File("data.img"), cue + "|" + dir.File("data.bin")}));
    EXPECT_EQ(seeing.Text(TextControl::Label1), "");
    EXPECT_EQ(seeing.Text(TextControl::Label2), "");
}

TEST_F(CcdReaderTest, ImageIsAlwaysTheImgBesideIt)
{
    // An image under another extension is not looked for.
    WriteSparseImage(dir.File("album.bin"), kBytesPerSecond);
    const std::string ccd = dir.Write("album.ccd", CcdTextForTracks({{0, 0, 1}}));
    EXPECT_EQ(ErrorMessage<EFOpenError>([&] { Load(ccd); }),
              "ファイル " + dir.File("album.img") + " は開けません");
    EXPECT_EQ(window.Text(TextControl::Label1), ccd);
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File("album.img"));

    // No extension, but a "." in the folder's name.
    std::filesystem::create_directory(dir.File("cd.old"));
    WriteSparseImage(dir.File("cd.old/album.img"), kBytesPerSecond);
    Load(dir.Write("cd.old/album", CcdTextForTracks({{0, 0, 1}})));
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File("cd.old/album.img"));
    EXPECT_EQ(window.Captions(), (Lines{"001 / 00 : 01"}));
}

#ifndef _WIN32 // a read that fails: /proc/self/mem
TEST_F(CcdReaderTest, ImagePathIsSetBeforeAnyLineIsRead)
{
    // Reading our own memory at address 0 fails on the first line.
    const std::size_t descriptors = OpenDescriptorCount();
    EXPECT_EQ(ErrorMessage<EInOutError>([&] { ReadCcdFile(window, "/proc/self/mem"); }),
              "I/O エラー (31)");
    EXPECT_EQ(window.Text(TextControl::Label2), "/proc/self/mem.img");
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}
#endif

TEST_F(CcdReaderTest, MissingFileResetsCountAndImage)
{
    const GeneratedDisc earlier = WriteCcdDisc(dir, "earlier", {75, 75});
    Load(earlier.descriptionPath);
    ASSERT_EQ(TrackCount, 2);
    const std::string missing = dir.File("missing.ccd");
    EXPECT_EQ(ErrorMessage<EInOutError>([&] { Load(missing); }), "ファイルが見つかりません");
    EXPECT_EQ(TrackCount, 0);
    EXPECT_EQ(window.Text(TextControl::Label1), missing);
    EXPECT_EQ(window.Text(TextControl::Label2), "");
    EXPECT_EQ(window.SongListCount(), 0);
}

TEST_F(CcdReaderTest, ConversionErrorClosesTheFile)
{
    const std::string ccd =
        dir.Write("bad.ccd", "MODE=0\r\nINDEX 1=0\r\nINDEX 1=x\r\nINDEX 1=9\r\n");
    const std::size_t descriptors = OpenDescriptorCount();
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { Load(ccd); }), "'x' は整数ではありません");
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
#ifndef _WIN32
    const int writer = ::open(ccd.c_str(), O_RDWR);
    EXPECT_EQ(::flock(writer, LOCK_EX | LOCK_NB), 0);
    ::close(writer);
#endif
}

TEST_F(CcdReaderTest, StartLinesBeyondTheNinetyNinthAreSkippedUnread)
{
    std::string text = "MODE=0\n";
    for (int track = 0; track < 99; ++track)
        text += "INDEX 1=" + std::to_string(track * 75) + "\n";
    // Not even converted once the table is full.
    text += "INDEX 1=not a number\nINDEX 1=9999\n";
    WriteSparseImage(dir.File("many.img"), 100 * kBytesPerSecond);
    Load(dir.Write("many.ccd", text));
    EXPECT_EQ(TrackCount, 99);
    EXPECT_EQ(TrackStarts[99], "01:38:00");
    ASSERT_EQ(window.SongListCount(), 99);
    EXPECT_EQ(window.Captions()[98], "099 / 00 : 02");
}

// Line-level rules. Every row's file sits beside a one-minute image.
struct LineRow {
    const char *name;
    Lines lines;
    Lines starts;      // what the table holds afterwards
    Lines messages;    // message boxes; any makes it a refusal
    std::string error; // conversion error, empty when none
    int items;
};

class CcdLineTest : public ReaderTableTest<LineRow>
{
};

TEST_P(CcdLineTest, LinesTriggerOnlyByTheirFirstEightCharacters)
{
    const LineRow &row = GetParam();
    WriteSparseImage(dir.File("album.img"), kBytesPerMinute);
    const std::string ccd = dir.Write("album.ccd", JoinLines(row.lines, "\r\n"));
    const std::size_t descriptors = OpenDescriptorCount();
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { LoadControlFile(window, ccd); }),
              row.error.empty() ? "(no error raised)" : row.error);
    EXPECT_EQ(TableEntries(), row.starts);
    EXPECT_EQ(window.Messages(), row.messages);
    const bool refused = !row.messages.empty();
    EXPECT_EQ(window.Text(TextControl::Label1), refused ? "" : ccd);
    EXPECT_EQ(window.Text(TextControl::Label2), refused ? "" : dir.File("album.img"));
    EXPECT_EQ(window.SongListCount(), row.items);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

const Lines kNoStarts;
const Lines kAtZero = {"00:00:00"};

INSTANTIATE_TEST_SUITE_P(
    Lines, CcdLineTest,
    ::testing::Values(
        LineRow{"StartZero", {"MODE=0", "INDEX 1=0"}, kAtZero, {}, "", 1},
        LineRow{"Start12345", {"MODE=0", "INDEX 1=12345"}, {"02:44:45"}, {}, "", 1},
        LineRow{"Start150", {"MODE=0", "INDEX 1=150"}, {"00:02:00"}, {}, "", 1},
        LineRow{"BlankAfterEquals", {"MODE=0", "INDEX 1= 150"}, {"00:02:00"}, {}, "", 1},
        LineRow{"HexStart", {"MODE=0", "INDEX 1=$96"}, {"00:02:00"}, {}, "", 1},
        LineRow{"IndexZero", {"MODE=0", "INDEX 0=0"}, kNoStarts, {}, "", 1},
        LineRow{"BlanksAroundEquals", {"MODE=0", "INDEX 1 = 150"}, kNoStarts, {}, "", 1},
        LineRow{"LowerCaseIndex", {"MODE=0", "index 1=150"}, kNoStarts, {}, "", 1},
        // The failed start is already counted; its slot keeps its old text.
        LineRow{"EmptyStart",
                {"MODE=0", "INDEX 1=0", "INDEX 1="},
                {"00:00:00", ""},
                {},
                "'' は整数ではありません",
                0},
        LineRow{"TrailingBlankStart",
                {"MODE=0", "INDEX 1=150 "},
                {""},
                {},
                "'150 ' は整数ではありません",
                0},
        LineRow{"AudioLineLast", {"INDEX 1=0", "MODE=0"}, kAtZero, {}, "", 1},
        LineRow{"ModeTrailingBlank", {"INDEX 1=0", "MODE=0 "}, kAtZero, {kNotAudio}, "", 0},
        LineRow{"ModeZeroZero", {"INDEX 1=0", "MODE=00"}, kAtZero, {kNotAudio}, "", 0},
        LineRow{"BlankBeforeMode", {"INDEX 1=0", " MODE=0"}, kAtZero, {kNotAudio}, "", 0},
        LineRow{"LowerCaseMode", {"INDEX 1=0", "mode=0"}, kAtZero, {kNotAudio}, "", 0},
        LineRow{"DataModesOnly", {"MODE=1", "INDEX 1=0", "MODE=2"}, kAtZero, {kNotAudio}, "", 0},
        LineRow{"EmptyFile", {}, kNoStarts, {kNotAudio}, "", 0},
        LineRow{
            "SessionOne", {"Session=1", "MODE=0", "INDEX 1=0", "Session=1"}, kAtZero, {}, "", 1},
        LineRow{"SessionTwo", {"MODE=0", "INDEX 1=0", "Session=2"}, kAtZero, {kMulti}, "", 0},
        LineRow{"SessionTwoFirst",
                {"Session=2", "Session=1", "MODE=0", "INDEX 1=0"},
                kAtZero,
                {kMulti},
                "",
                0},
        LineRow{"SessionTwelve", {"MODE=0", "INDEX 1=0", "Session=12"}, kAtZero, {kMulti}, "", 0},
        LineRow{"SessionTen", {"MODE=0", "INDEX 1=0", "Session=10"}, kAtZero, {}, "", 1},
        LineRow{"SessionsKey", {"MODE=0", "INDEX 1=0", "Sessions=2"}, kAtZero, {}, "", 1},
        LineRow{"SessionEmpty",
                {"MODE=0", "INDEX 1=0", "Session="},
                kAtZero,
                {},
                "'=' は整数ではありません",
                0},
        LineRow{"SessionTrailingBlank",
                {"MODE=0", "Session=1 "},
                kNoStarts,
                {},
                "' ' は整数ではありません",
                0},
        // The audio check comes first.
        LineRow{"SessionTwoWithoutAudio",
                {"Session=2", "MODE=1", "INDEX 1=0"},
                kAtZero,
                {kNotAudio},
                "",
                0}),
    [](const auto &info) { return info.param.name; });

struct CcdLineEndRow {
    const char *name;
    std::string text;
    Lines starts;
};

class CcdLineEndTest : public ReaderTableTest<CcdLineEndRow>
{
};

TEST_P(CcdLineEndTest, ReadsTheSameLines)
{
    WriteSparseImage(dir.File("album.img"), 3 * kBytesPerMinute);
    ReadCcdFile(window, dir.Write("album.ccd", GetParam().text));
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(TableEntries(), GetParam().starts);
    EXPECT_EQ(window.SongListCount(), static_cast<int>(GetParam().starts.size()));
}

const Lines kThreeStarts = {"00:00:00", "01:00:00", "02:00:00"};

INSTANTIATE_TEST_SUITE_P(
    Files, CcdLineEndTest,
    ::testing::Values(CcdLineEndRow{"CrLf", CcdText({0, 4500, 9000}, "\r\n"), kThreeStarts},
                      CcdLineEndRow{"Lf", CcdText({0, 4500, 9000}, "\n"), kThreeStarts},
                      CcdLineEndRow{"Mixed", MixLineEnds(CcdText({0, 4500, 9000}, "\n")),
                                    kThreeStarts},
                      CcdLineEndRow{"CtrlZEndsTheFile",
                                    CcdText({0, 4500}, "\r\n") + "\x1A" +
                                        "[TRACK 3]\r\nMODE=0\r\nINDEX 1=9000\r\n",
                                    {"00:00:00", "01:00:00"}}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace vorsa::testing
