#include "ReaderTestSupport.h"

#include "CodePage.h"
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
#include <sys/stat.h>

namespace vorsa::testing
{
namespace
{

using vorsa::testing::PrintTo;

using Lines = std::vector<std::string>;

const std::string kNotAudio(messages::kNotAudioCd);

struct FindRow {
    const char *name;
    std::ptrdiff_t start;
    std::string line;
    std::ptrdiff_t found;
};

class FindCharFromTest : public ::testing::TestWithParam<FindRow>
{
};

TEST_P(FindCharFromTest, FindsCharacterPositionAtOrAfterStart)
{
    EXPECT_EQ(FindCharFrom(GetParam().start, "\"", GetParam().line), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, FindCharFromTest,
    ::testing::Values(FindRow{"First", 1, "a\"b\"", 2}, FindRow{"Second", 3, "a\"b\"", 4},
                      FindRow{"AtStart", 4, "a\"b\"", 4}, FindRow{"PastEnd", 5, "a\"b\"", 0},
                      FindRow{"None", 1, "FILE disc.bin", 0}, FindRow{"Empty", 1, "", 0},
                      // Positions count characters: 曲名 is two, not six.
                      FindRow{"AfterDoubleByte", 1, "曲名\"", 3},
                      FindRow{"BeyondLastCharacter", 4, "曲名\"", 0},
                      FindRow{"BeyondInt16", 1, std::string(40000, 'x') + "\"", 40001}),
    [](const auto &info) { return info.param.name; });

// One audio track's header, then the line under test, then a second start
// so that a wrongly taken line would also show in the count.
struct StartLineRow {
    const char *name;
    std::string line;
    bool stored;
    std::string text; // stored text, when stored
};

class CueStartLineTest : public ReaderTableTest<StartLineRow>
{
};

TEST_P(CueStartLineTest, StoresLastEightCharactersOfStartLines)
{
    const StartLineRow &row = GetParam();
    WriteSparseImage(dir.File("album.bin"), 10 * kBytesPerSecond);
    const std::string cue =
        dir.Write("album.cue",
                  JoinLines({"FILE \"album.bin\" BINARY", "  TRACK 01 AUDIO", row.line}, "\r\n"));
    LoadControlFile(window, cue);
    if (row.stored) {
        ASSERT_EQ(TrackCount, 1);
        EXPECT_EQ(TrackStarts[1], row.text);
    } else {
        EXPECT_EQ(TrackCount, 0);
    }
    // One start or none: the list is built without reading any start.
    EXPECT_EQ(window.Captions(), (Lines{row.stored ? "001 / 00 : 10" : "000 / 00 : 10"}));
    EXPECT_TRUE(window.Messages().empty());
}

std::string Padded(std::size_t blanks, const std::string &tail)
{
    return std::string(blanks, ' ') + tail;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CueStartLineTest,
    ::testing::Values(
        // "1" at 12 of 21 characters: below 13.
        StartLineRow{"Index01FourBlanks", "    INDEX 01 03:25:40", true, "03:25:40"},
        StartLineRow{"Index01NoBlanks", "INDEX 01 00:00:00", true, "00:00:00"},
        // "1" at 11 of 17, inside the time.
        StartLineRow{"Index00", "INDEX 00 01:23:45", false, ""},
        StartLineRow{"Index02", "INDEX 02 10:00:00", false, ""},
        StartLineRow{"Index02NoOne", "INDEX 02 00:00:00", false, ""},
        StartLineRow{"Index11", "INDEX 11 00:00:00", true, "00:00:00"},
        StartLineRow{"Index21", "INDEX 21 00:00:00", true, "00:00:00"},
        // Exactly nine characters after the "1" are needed.
        StartLineRow{"EightAfterOne", "INDEX 01 0:00:00", false, ""},
        StartLineRow{"NineAfterOne", "INDEX 01 00:00:009", true, "0:00:009"},
        StartLineRow{"TwoBlanksAfterTime", "INDEX 01 00:00:00  ", true, ":00:00  "},
        StartLineRow{"OneEarlierInLine", "REM 1 INDEX 00 00:00:00", true, "00:00:00"},
        StartLineRow{"LowerCase", "index 01 00:00:00", false, ""},
        StartLineRow{"NoIndexWord", "    PREGAP 01 00:02:00", false, ""},
        // Positions beyond 32767 must not wrap: the rule holds at any length.
        StartLineRow{"LongLineStart", Padded(40000 - 17, "INDEX 01 00:00:00"), true, "00:00:00"},
        StartLineRow{"LongLineIndex00", Padded(40000 - 17, "INDEX 00 01:23:45"), false, ""}),
    [](const auto &info) { return info.param.name; });

struct FileLineRow {
    const char *name;
    std::string cueName; // relative to the test folder
    std::string fileLine;
    std::string imageName; // expected Label2, relative to the test folder
};

class CueFileLineTest : public ReaderTableTest<FileLineRow>
{
};

TEST_P(CueFileLineTest, ImageTakesLastFourCharactersOfQuotedName)
{
    const FileLineRow &row = GetParam();
    std::filesystem::create_directories(std::filesystem::path(dir.File(row.cueName)).parent_path());
    WriteSparseImage(dir.File(row.imageName), 3 * kBytesPerSecond);
    const std::string cue = dir.Write(
        row.cueName, JoinLines({row.fileLine, "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"}, "\n"));
    LoadControlFile(window, cue);
    EXPECT_EQ(window.Text(TextControl::Label1), cue);
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File(row.imageName));
    EXPECT_EQ(window.Captions(), (Lines{"001 / 00 : 03"}));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CueFileLineTest,
    ::testing::Values(
        FileLineRow{"Bin", "album.cue", "FILE \"disc.bin\" BINARY", "album.bin"},
        FileLineRow{"NameWithoutDotInLastFour", "album.cue", "FILE \"x.flac\" WAVE", "albumflac"},
        FileLineRow{"ShortName", "album.cue", "FILE \"a.b\" BINARY", "albuma.b"},
        FileLineRow{"NoQuotes", "album.cue", "FILE disc.bin BINARY", "album"},
        FileLineRow{"OneQuote", "album.cue", "FILE \"disc.bin BINARY", "album"},
        FileLineRow{"QuotesSideBySide", "album.cue", "FILE \"\" BINARY", "album"},
        FileLineRow{"TitleNamingProfile", "album.cue", "TITLE \"PROFILE\"", "albumFILE"},
        FileLineRow{"DoubleByteName", "album.cue", "FILE \"曲名.wav\" WAVE", "album.wav"},
        FileLineRow{"DoubleByteShortName", "album.cue", "FILE \"x曲名\" WAVE", "albumx曲名"},
        FileLineRow{"QuotedAfterDoubleByte", "album.cue", "REM 曲名 FILE \"曲.iso\"", "album.iso"},
        // The "." of the folder comes before a "/" and does not count.
        FileLineRow{"NoExtension", "cd.old/rescue", "FILE \"x.bin\" BINARY", "cd.old/rescue.bin"},
        FileLineRow{"LongLine", "album.cue",
                    Padded(35000, "FILE \"disc.wav\" WAVE") + Padded(5000, ""), "album.wav"}),
    [](const auto &info) { return info.param.name; });

class CueSheetReaderTest : public ReaderTest
{
protected:
    std::string WriteSheet(const Lines &lines, const std::string &lineEnd = "\r\n")
    {
        return dir.Write("album.cue", JoinLines(lines, lineEnd));
    }
};

// File names of Shift-JIS bytes: on Windows they exist only under code page
// 932, which the Windows file tests cover.
#ifndef _WIN32
TEST_F(CueSheetReaderTest, ShiftJisNamesAreCutByCharacter)
{
    const text::ScopedTextPlatform shiftJis(text::CodePage::ShiftJis, text::kPosixDelimiters);
    const std::string kyokumei = "\x8B\xC8\x96\xBC"; // 曲名 in code page 932
    for (const auto &[name, image] : {std::pair{kyokumei + ".wav", std::string("album.wav")},
                                      std::pair{"x" + kyokumei, "album" + ("x" + kyokumei)}}) {
        WriteSparseImage(dir.File(image), kBytesPerSecond);
        const std::string cue =
            WriteSheet({"TITLE \"" + kyokumei + "\"", "FILE \"" + name + "\" WAVE",
                        "  TRACK 01 AUDIO", "    INDEX 01 00:00:00"});
        window.ClearSongList();
        ReadCueSheet(window, cue);
        EXPECT_EQ(window.Text(TextControl::Label2), dir.File(image));
        EXPECT_EQ(window.Captions(), (Lines{"001 / 00 : 01"}));
    }
}
#endif

TEST_F(CueSheetReaderTest, LastFileLineDecidesTheImage)
{
    WriteSparseImage(dir.File("album.wav"), kBytesPerSecond);
    ReadCueSheet(window, WriteSheet({"FILE \"a.bin\" BINARY", "  TRACK 01 AUDIO",
                                     "    INDEX 01 00:00:00", "FILE \"b.wav\" WAVE"}));
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File("album.wav"));
    EXPECT_EQ(window.Captions(), (Lines{"001 / 00 : 01"}));
}

TEST_F(CueSheetReaderTest, AudioAnywhereInALineCounts)
{
    WriteSparseImage(dir.File("album.bin"), kBytesPerSecond);
    ReadCueSheet(window, WriteSheet({"TITLE \"AUDIOPHILE\"", "FILE \"disc.bin\" BINARY",
                                     "  TRACK 01 MODE1/2352", "    INDEX 01 00:00:00"}));
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(window.Captions(), (Lines{"001 / 00 : 01"}));
}

// The same sheet with every kind of line end, and cut short by a Ctrl-Z.
struct LineEndRow {
    const char *name;
    std::string text;
    Lines starts;
};

class CueLineEndTest : public ReaderTableTest<LineEndRow>
{
};

TEST_P(CueLineEndTest, ReadsTheSameLines)
{
    WriteSparseImage(dir.File("album.bin"), 3 * kBytesPerMinute);
    ReadCueSheet(window, dir.Write("album.cue", GetParam().text));
    EXPECT_EQ(TableEntries(), GetParam().starts);
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File("album.bin"));
    EXPECT_EQ(window.SongListCount(), static_cast<int>(GetParam().starts.size()));
}

const Lines kThreeTracks = {"00:00:00", "01:00:00", "02:00:00"};

std::string ThreeTrackSheet(const std::string &lineEnd)
{
    return CueSheetText({0, 4500, 9000}, "disc.bin", lineEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, CueLineEndTest,
    ::testing::Values(LineEndRow{"CrLf", ThreeTrackSheet("\r\n"), kThreeTracks},
                      LineEndRow{"Lf", ThreeTrackSheet("\n"), kThreeTracks},
                      LineEndRow{"Mixed", MixLineEnds(ThreeTrackSheet("\n")), kThreeTracks},
                      LineEndRow{
                          "NoFinalLineEnd",
                          ThreeTrackSheet("\r\n").substr(0, ThreeTrackSheet("\r\n").size() - 2),
                          kThreeTracks},
                      LineEndRow{"CtrlZEndsTheSheet",
                                 CueSheetText({0, 4500}, "disc.bin", "\r\n") + "\x1A" +
                                     "  TRACK 03 AUDIO\r\n    INDEX 01 02:00:00\r\n",
                                 {"00:00:00", "01:00:00"}}),
    [](const auto &info) { return info.param.name; });

// Refused sheets: one message, both paths emptied, the list left empty, and
// the table holding the starts that were found.
struct RefusalRow {
    const char *name;
    std::string text;
    Lines starts;
};

class CueRefusalTest : public ReaderTableTest<RefusalRow>
{
};

TEST_P(CueRefusalTest, SaysItIsNoAudioCdAndForgetsThePaths)
{
    WriteSparseImage(dir.File("album.bin"), kBytesPerSecond);
    window.SetText(TextControl::Label2, "earlier image");
    window.AddSongListItem("stale");
    const std::size_t descriptors = OpenDescriptorCount();
    LoadControlFile(window, dir.Write("album.cue", GetParam().text));
    EXPECT_EQ(window.Messages(), (Lines{kNotAudio}));
    EXPECT_EQ(window.Text(TextControl::Label1), "");
    EXPECT_EQ(window.Text(TextControl::Label2), "");
    EXPECT_EQ(window.SongListCount(), 0);
    EXPECT_EQ(TableEntries(), GetParam().starts);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, CueRefusalTest,
    ::testing::Values(
        RefusalRow{"Empty", "", {}},
        RefusalRow{"LowerCaseKeywords",
                   "file \"disc.bin\" binary\r\n  track 01 audio\r\n    index 01 00:00:00\r\n",
                   {}},
        RefusalRow{"DataTrackOnly",
                   "FILE \"disc.bin\" BINARY\n  TRACK 01 MODE1/2352\n    INDEX 01 00:00:00\n",
                   {"00:00:00"}},
        RefusalRow{"AudioAfterCtrlZ",
                   "FILE \"disc.bin\" BINARY\n    INDEX 01 00:00:00\n\x1A  TRACK 01 AUDIO\n",
                   {"00:00:00"}}),
    [](const auto &info) { return info.param.name; });

TEST_F(CueSheetReaderTest, MissingSheetResetsCountAndImage)
{
    const GeneratedDisc earlier = WriteCueDisc(dir, "earlier", {75, 75, 75});
    LoadControlFile(window, earlier.descriptionPath);
    ASSERT_EQ(TrackCount, 3);

    const std::string missing = dir.File("missing.cue");
    EXPECT_EQ(ErrorMessage<EInOutError>([&] { LoadControlFile(window, missing); }),
              "ファイルが見つかりません");
    EXPECT_EQ(TrackCount, 0);
    EXPECT_EQ(window.Text(TextControl::Label1), missing);
    EXPECT_EQ(window.Text(TextControl::Label2), "");
    EXPECT_EQ(window.SongListCount(), 0);
    EXPECT_TRUE(window.Messages().empty());
}

TEST_F(CueSheetReaderTest, OpenAndReadErrorsCarryTheirMessages)
{
    EXPECT_EQ(
        ErrorMessage<EInOutError>([&] { ReadCueSheet(window, dir.File("no-folder/album.cue")); }),
        "不正なファイル名です");
#ifndef _WIN32
    {
        const std::string busy = WriteSheet({"FILE \"disc.bin\" BINARY"});
        const int writer = ::open(busy.c_str(), O_RDWR);
        ASSERT_EQ(::flock(writer, LOCK_EX), 0);
        EXPECT_EQ(ErrorMessage<EInOutError>([&] { ReadCueSheet(window, busy); }),
                  "ファイルへのアクセスが拒否されました");
        ::close(writer);
    }
    const std::size_t descriptors = OpenDescriptorCount();
    EXPECT_EQ(ErrorMessage<EInOutError>([&] { ReadCueSheet(window, "/proc/self/mem"); }),
              "I/O エラー (31)");
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    EXPECT_EQ(window.Text(TextControl::Label2), "");
#endif
}

TEST_F(CueSheetReaderTest, MissingImageEndsLoadWithOpenError)
{
    const std::string cue =
        WriteSheet({"FILE \"disc.bin\" BINARY", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00",
                    "  TRACK 02 AUDIO", "    INDEX 01 01:00:00"});
    const std::size_t descriptors = OpenDescriptorCount();
    EXPECT_EQ(ErrorMessage<EFOpenError>([&] { LoadControlFile(window, cue); }),
              "ファイル " + dir.File("album.bin") + " は開けません");
    EXPECT_EQ(window.Text(TextControl::Label1), cue);
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File("album.bin"));
    EXPECT_EQ(TableEntries(), (Lines{"00:00:00", "01:00:00"}));
    EXPECT_EQ(window.SongListCount(), 0);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
    // The sheet is closed: a writer can lock it.
#ifndef _WIN32
    const int writer = ::open(cue.c_str(), O_RDWR);
    EXPECT_EQ(::flock(writer, LOCK_EX | LOCK_NB), 0);
    ::close(writer);
#endif
}

TEST_F(CueSheetReaderTest, ProfileTitleAfterFileLineHidesTheImage)
{
    WriteSparseImage(dir.File("album.bin"), kBytesPerSecond);
    const std::string cue = WriteSheet({"FILE \"disc.bin\" BINARY", "  TRACK 01 AUDIO",
                                        "    TITLE \"PROFILE\"", "    INDEX 01 00:00:00"});
    EXPECT_EQ(ErrorMessage<EFOpenError>([&] { LoadControlFile(window, cue); }),
              "ファイル " + dir.File("albumFILE") + " は開けません");
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File("albumFILE"));
    EXPECT_EQ(TrackCount, 1);
}

TEST_F(CueSheetReaderTest, TextAfterTimeIsStoredAndFailsInTheSongList)
{
    WriteSparseImage(dir.File("album.bin"), kBytesPerMinute);
    const std::string cue =
        WriteSheet({"FILE \"disc.bin\" BINARY", "  TRACK 01 AUDIO", "    INDEX 01 00:00:00  ",
                    "  TRACK 02 AUDIO", "    INDEX 01 00:30:00"});
    const std::size_t descriptors = OpenDescriptorCount();
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { LoadControlFile(window, cue); }),
              "':0' は整数ではありません");
    EXPECT_EQ(TableEntries(), (Lines{":00:00  ", "00:30:00"}));
    EXPECT_EQ(window.Text(TextControl::Label1), cue);
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File("album.bin"));
    EXPECT_EQ(window.SongListCount(), 0);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

// The conversion error carries every byte of the text, past a NUL too.
TEST_F(CueSheetReaderTest, NulInATimeStaysInTheConversionMessage)
{
    using namespace std::string_literals;
    WriteSparseImage(dir.File("album.bin"), kBytesPerMinute);
    const std::string cue =
        WriteSheet({"FILE \"disc.bin\" BINARY", "  TRACK 01 AUDIO", "    INDEX 01 00:0\0:00"s,
                    "  TRACK 02 AUDIO", "    INDEX 01 00:30:00"});
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { LoadControlFile(window, cue); }),
              "'0\0' は整数ではありません"s);
}

TEST_F(CueSheetReaderTest, StartsBeyondTheNinetyNinthAreIgnored)
{
    std::vector<std::int32_t> starts;
    for (std::int32_t track = 0; track < 101; ++track)
        starts.push_back(track * 75);
    WriteSparseImage(dir.File("album.bin"), 101 * kBytesPerSecond);
    ReadCueSheet(window, dir.Write("album.cue", CueSheetText(starts, "disc.bin")));
    EXPECT_EQ(TrackCount, 99);
    EXPECT_EQ(TrackStarts[99], "01:38:00");
    ASSERT_EQ(window.SongListCount(), 99);
    EXPECT_EQ(window.Captions()[97], "098 / 00 : 01");
    EXPECT_EQ(window.Captions()[98], "099 / 00 : 03");
}

} // namespace
} // namespace vorsa::testing
