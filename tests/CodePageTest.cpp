#include "CodePage.h"
#include "PathText.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using vorsa::testing::PrintTo;
using vorsa::text::CodePage;
using namespace vorsa::text;

// Shift-JIS characters whose trailing byte is "\" (0x5C).
constexpr std::string_view kHyo = "\x95\x5C"; // 表
constexpr std::string_view kSo = "\x83\x5C";  // ソ

std::string Cat(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (auto part : parts)
        text += part;
    return text;
}

// --- Counting characters --------------------------------------------------

struct CountRow {
    const char *name;
    CodePage cp;
    std::string text;
    std::size_t count;
    std::string last;
};

class CharCounting : public ::testing::TestWithParam<CountRow>
{
};

TEST_P(CharCounting, CountsCharactersAndFindsTheLastOne)
{
    const auto &row = GetParam();
    EXPECT_EQ(CharCount(row.text, row.cp), row.count);
    EXPECT_EQ(LastChar(row.text, row.cp), row.last);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, CharCounting,
    ::testing::Values(
        CountRow{"Empty", CodePage::Utf8, "", 0, ""},
        CountRow{"Ascii", CodePage::Utf8, "album.cue", 9, "e"},
        CountRow{"Utf8Japanese", CodePage::Utf8, "曲名.wav", 6, "v"},
        CountRow{"Utf8EndsInJapanese", CodePage::Utf8, "/cd/曲名", 6, "名"},
        CountRow{"Utf8FourByte", CodePage::Utf8, "a\xF0\x9F\x8E\xB5", 2, "\xF0\x9F\x8E\xB5"},
        CountRow{"Utf8StrayContinuation", CodePage::Utf8,
                 "a\x80"
                 "b",
                 3, "b"},
        CountRow{"Utf8InvalidLead", CodePage::Utf8, "\xFF\xFE", 2, "\xFE"},
        CountRow{"Utf8CutShortAtEnd", CodePage::Utf8, "ab\xE3\x81", 4, "\x81"},
        CountRow{"Utf8CutShortBeforeAscii", CodePage::Utf8, "\xE3\x81z", 3, "z"},
        CountRow{"Utf8Overlong2", CodePage::Utf8, "\xC0\xAF", 2, "\xAF"},
        CountRow{"Utf8Overlong3", CodePage::Utf8, "\xE0\x80\xAF", 3, "\xAF"},
        CountRow{"Utf8Surrogate", CodePage::Utf8, "\xED\xA0\x80", 3, "\x80"},
        CountRow{"Utf8BeyondUnicode", CodePage::Utf8, "\xF4\x90\x80\x80", 4, "\x80"},
        CountRow{"Utf8ValidThenStray", CodePage::Utf8, "あ\x81", 2, "\x81"},
        CountRow{"SjisTrailIsBackslash", CodePage::ShiftJis, Cat({"D:\\", kHyo}), 4,
                 std::string(kHyo)},
        CountRow{"SjisTwoTrailBackslashes", CodePage::ShiftJis, Cat({kSo, kHyo}), 2,
                 std::string(kHyo)},
        CountRow{"SjisSecondLeadRange", CodePage::ShiftJis, "\xE0\x40\xFC\x40", 2, "\xFC\x40"},
        CountRow{"SjisLeadAsLastByte", CodePage::ShiftJis, "ab\x95", 3, "\x95"},
        CountRow{"SjisHalfWidthKana", CodePage::ShiftJis, "\xB1\xB2\xDF", 3, "\xDF"},
        CountRow{"SjisNotLeadBytes", CodePage::ShiftJis, "\x80\xA0\xFD", 3, "\xFD"},
        CountRow{"SjisReadsUtf8AsPairs", CodePage::ShiftJis, "\xE6\x9B\xB2", 2, "\xB2"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Cutting by characters ------------------------------------------------

enum class Cut { First, Last, Mid };

struct CutRow {
    const char *name;
    CodePage cp;
    std::string text;
    Cut cut;
    std::ptrdiff_t p; // only for Mid
    std::ptrdiff_t n;
    std::string expected;
};

class CharCutting : public ::testing::TestWithParam<CutRow>
{
};

TEST_P(CharCutting, TakesWholeCharacters)
{
    const auto &row = GetParam();
    std::string_view got;
    switch (row.cut) {
    case Cut::First:
        got = FirstChars(row.text, row.n, row.cp);
        break;
    case Cut::Last:
        got = LastChars(row.text, row.n, row.cp);
        break;
    case Cut::Mid:
        got = MidChars(row.text, row.p, row.n, row.cp);
        break;
    }
    EXPECT_EQ(got, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, CharCutting,
    ::testing::Values(
        CutRow{"FirstJapanese", CodePage::Utf8, "曲名.wav", Cut::First, 0, 2, "曲名"},
        CutRow{"FirstMoreThanThere", CodePage::Utf8, "ab", Cut::First, 0, 5, "ab"},
        CutRow{"FirstZero", CodePage::Utf8, "ab", Cut::First, 0, 0, ""},
        CutRow{"FirstNegative", CodePage::Utf8, "ab", Cut::First, 0, -3, ""},
        CutRow{"FirstCountsBrokenBytesSingly", CodePage::Utf8, "\xE3\x81z", Cut::First, 0, 2,
               "\xE3\x81"},
        CutRow{"LastFourOfJapaneseName", CodePage::Utf8, "曲名.wav", Cut::Last, 0, 4, ".wav"},
        CutRow{"LastJapanese", CodePage::Utf8, "x曲名", Cut::Last, 0, 2, "曲名"},
        CutRow{"LastDiscTime", CodePage::Utf8, "    INDEX 01 03:25:40", Cut::Last, 0, 8,
               "03:25:40"},
        CutRow{"LastMoreThanThere", CodePage::Utf8, "a.b", Cut::Last, 0, 4, "a.b"},
        CutRow{"LastZero", CodePage::Utf8, "ab", Cut::Last, 0, 0, ""},
        CutRow{"LastNegative", CodePage::Utf8, "ab", Cut::Last, 0, -1, ""},
        CutRow{"LastOfBrokenSequence", CodePage::Utf8, "ab\xE3\x81", Cut::Last, 0, 2, "\xE3\x81"},
        CutRow{"SjisLastKeepsPair", CodePage::ShiftJis, Cat({"D:\\", kHyo}), Cut::Last, 0, 1,
               std::string(kHyo)},
        CutRow{"SjisLastTwoPairs", CodePage::ShiftJis, Cat({"a", kSo, kHyo}), Cut::Last, 0, 2,
               Cat({kSo, kHyo})},
        CutRow{"SjisLastWithLoneLeadAtEnd", CodePage::ShiftJis, Cat({kHyo, "\x95"}), Cut::Last, 0,
               1, "\x95"},
        CutRow{"SjisFirstKeepsPair", CodePage::ShiftJis, Cat({kSo, "x"}), Cut::First, 0, 1,
               std::string(kSo)},
        CutRow{"MidBetweenQuotes", CodePage::Utf8, "FILE \"曲名.wav\" WAVE", Cut::Mid, 7, 6,
               "曲名.wav"},
        CutRow{"MidFromBelowOne", CodePage::Utf8, "曲名.wav", Cut::Mid, 0, 2, "曲名"},
        CutRow{"MidFromFarBelowOne", CodePage::Utf8, "abc", Cut::Mid, -5, 2, "ab"},
        CutRow{"MidRunsOffTheEnd", CodePage::Utf8, "abc", Cut::Mid, 3, 10, "c"},
        CutRow{"MidPastTheEnd", CodePage::Utf8, "abc", Cut::Mid, 4, 1, ""},
        CutRow{"MidZeroCount", CodePage::Utf8, "abc", Cut::Mid, 1, 0, ""},
        CutRow{"MidNegativeCount", CodePage::Utf8, "abc", Cut::Mid, 1, -1, ""},
        CutRow{"SjisMidCountsPairsAsOne", CodePage::ShiftJis, Cat({kHyo, kSo, "\\x"}), Cut::Mid, 2,
               2, Cat({kSo, "\\"})}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Searching for a character --------------------------------------------

struct FindRow {
    const char *name;
    CodePage cp;
    std::string text;
    std::string what;
    std::ptrdiff_t from;
    std::ptrdiff_t expected;
};

class CharFinding : public ::testing::TestWithParam<FindRow>
{
};

TEST_P(CharFinding, ReturnsTheCharacterPosition)
{
    const auto &row = GetParam();
    EXPECT_EQ(FindChar(row.text, row.what, row.from, row.cp), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, CharFinding,
    ::testing::Values(
        FindRow{"FirstQuote", CodePage::Utf8, "FILE \"曲名.wav\" WAVE", "\"", 1, 6},
        FindRow{"SecondQuoteCountsCharacters", CodePage::Utf8, "FILE \"曲名.wav\" WAVE", "\"", 7,
                13},
        FindRow{"AtStart", CodePage::Utf8, "\"a\"", "\"", 1, 1},
        FindRow{"FromIsInclusive", CodePage::Utf8, "a\"b", "\"", 2, 2},
        FindRow{"NotThere", CodePage::Utf8, "FILE x.bin", "\"", 1, 0},
        FindRow{"FromPastTheEnd", CodePage::Utf8, "a\"", "\"", 3, 0},
        FindRow{"EmptyText", CodePage::Utf8, "", "\"", 1, 0},
        FindRow{"MultiByteWhat", CodePage::Utf8, "a曲名", "名", 1, 3},
        FindRow{"SjisTrailIsNoBackslash", CodePage::ShiftJis, Cat({"D:\\", kHyo}), "\\", 4, 0},
        FindRow{"SjisBackslashAfterPair", CodePage::ShiftJis, Cat({kSo, "\\"}), "\\", 1, 2},
        FindRow{"SjisPairItself", CodePage::ShiftJis, Cat({"D:\\", kHyo}), std::string(kHyo), 1, 4},
        FindRow{"Utf8ByteOfSequenceIsNoMatch", CodePage::Utf8, "曲", "\xE6", 1, 0}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Replacing a path's extension -----------------------------------------

struct ExtensionRow {
    const char *name;
    CodePage cp;
    std::string_view delimiters;
    std::string path;
    std::string ext;
    std::string expected;
};

class ExtensionReplacing : public ::testing::TestWithParam<ExtensionRow>
{
};

TEST_P(ExtensionReplacing, ReplacesOnlyTheLastNamesExtension)
{
    const auto &row = GetParam();
    EXPECT_EQ(ReplaceExtension(row.path, row.ext, row.cp, row.delimiters), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ExtensionReplacing,
    ::testing::Values(
        ExtensionRow{"Plain", CodePage::ShiftJis, kWindowsDelimiters, "D:\\cd\\album.cue", ".bin",
                     "D:\\cd\\album.bin"},
        ExtensionRow{"ExtWithoutDot", CodePage::ShiftJis, kWindowsDelimiters, "D:\\cd\\album.cue",
                     "flac", "D:\\cd\\albumflac"},
        ExtensionRow{"ThreeCharacterName", CodePage::ShiftJis, kWindowsDelimiters,
                     "D:\\cd\\album.cue", "a.b", "D:\\cd\\albuma.b"},
        ExtensionRow{"EmptyExt", CodePage::ShiftJis, kWindowsDelimiters, "D:\\cd\\album.cue", "",
                     "D:\\cd\\album"},
        ExtensionRow{"DotInFolderOnly", CodePage::ShiftJis, kWindowsDelimiters,
                     "D:\\cd.old\\rescue", ".bin", "D:\\cd.old\\rescue.bin"},
        ExtensionRow{"DriveDelimiterAfterDot", CodePage::ShiftJis, kWindowsDelimiters, "a.b:c",
                     ".img", "a.b:c.img"},
        ExtensionRow{"LastOfSeveralDots", CodePage::ShiftJis, kWindowsDelimiters, "D:\\a.b.c.ccd",
                     ".img", "D:\\a.b.c.img"},
        ExtensionRow{"JapaneseFolderThenNoDot", CodePage::ShiftJis, kWindowsDelimiters,
                     Cat({"D:\\", kHyo, "\\album"}), ".img", Cat({"D:\\", kHyo, "\\album.img"})},
        ExtensionRow{"JapaneseNameWithoutDot", CodePage::ShiftJis, kWindowsDelimiters,
                     Cat({"D:\\cd.old\\", kHyo}), ".img", Cat({"D:\\cd.old\\", kHyo, ".img"})},
        // A trailing 0x5C taken for "\" would hide the extension and append.
        ExtensionRow{"JapaneseExtension", CodePage::ShiftJis, kWindowsDelimiters,
                     Cat({"D:\\cd.", kHyo}), ".img", "D:\\cd.img"},
        ExtensionRow{"JapaneseBeforeDot", CodePage::ShiftJis, kWindowsDelimiters,
                     Cat({"D:\\", kSo, kHyo, ".cue"}), ".bin", Cat({"D:\\", kSo, kHyo, ".bin"})}),
    [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Posix, ExtensionReplacing,
    ::testing::Values(ExtensionRow{"Plain", CodePage::Utf8, kPosixDelimiters, "/cd/album.ccd",
                                   ".img", "/cd/album.img"},
                      ExtensionRow{"DotInFolderOnly", CodePage::Utf8, kPosixDelimiters, "/a.b/c",
                                   ".img", "/a.b/c.img"},
                      ExtensionRow{"JapaneseName", CodePage::Utf8, kPosixDelimiters,
                                   "/音楽/曲名.cue", ".bin", "/音楽/曲名.bin"},
                      ExtensionRow{"BackslashIsAFileNameCharacter", CodePage::Utf8,
                                   kPosixDelimiters, "/cd/a.b\\c", ".img", "/cd/a.img"},
                      ExtensionRow{"ColonIsAFileNameCharacter", CodePage::Utf8, kPosixDelimiters,
                                   "/cd/a.b:c", ".img", "/cd/a.img"},
                      ExtensionRow{"HiddenFile", CodePage::Utf8, kPosixDelimiters, "/cd/.cue",
                                   ".bin", "/cd/.bin"},
                      ExtensionRow{"TrailingDot", CodePage::Utf8, kPosixDelimiters, "/cd/album.",
                                   ".img", "/cd/album.img"},
                      ExtensionRow{"EmptyPath", CodePage::Utf8, kPosixDelimiters, "", ".img",
                                   ".img"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- The process's text platform ------------------------------------------

// The suite runs with code page 65001 on Windows too.
#ifdef _WIN32
constexpr std::string_view kSystemDelimiters = kWindowsDelimiters;
#else
constexpr std::string_view kSystemDelimiters = kPosixDelimiters;
#endif

TEST(TextPlatform, DefaultsToUtf8AndTheSystemsDelimiters)
{
    EXPECT_EQ(NarrowCodePage(), CodePage::Utf8);
    EXPECT_EQ(PathDelimiters(), kSystemDelimiters);
}

TEST(TextPlatform, ScopedPlatformDrivesTheDefaultsAndNestsBack)
{
    const std::string path = Cat({"D:\\", kHyo, ".cue"});
    {
        ScopedTextPlatform windows(CodePage::ShiftJis, kWindowsDelimiters);
        EXPECT_EQ(CharCount(path), 8u);
        EXPECT_EQ(ReplaceExtension("D:\\cd.old\\rescue", ".bin"), "D:\\cd.old\\rescue.bin");
        {
            ScopedTextPlatform posix(CodePage::Utf8, kPosixDelimiters);
            EXPECT_EQ(ReplaceExtension("D:\\cd.old\\rescue", ".bin"), "D:\\cd.bin");
        }
        EXPECT_EQ(NarrowCodePage(), CodePage::ShiftJis);
        EXPECT_EQ(PathDelimiters(), kWindowsDelimiters);
    }
    EXPECT_EQ(NarrowCodePage(), CodePage::Utf8);
    EXPECT_EQ(PathDelimiters(), kSystemDelimiters);
    EXPECT_EQ(CharCount(path), 9u); // 0x95 0x5C is no UTF-8 character
}

// Lines are read whole, so a cut must stay correct on texts of megabytes
// with characters of every width mixed in.
TEST(LongText, CutsAMegabyteLineByCharacters)
{
    std::string line;
    for (int i = 0; i < 100000; ++i)
        line += "曲a\xFF";
    line += "INDEX 01 03:25:40";
    EXPECT_EQ(CharCount(line), 300017u);
    EXPECT_EQ(LastChars(line, 8), "03:25:40");
    EXPECT_EQ(LastChars(line, 20), "曲a\xFFINDEX 01 03:25:40");
    EXPECT_EQ(MidChars(line, 299999, 3), "a\xFFI");
    EXPECT_EQ(FindChar(line, "1"), 300008);
    EXPECT_EQ(ReplaceExtension(line + ".cue", ".img"), line + ".img");
}

} // namespace
