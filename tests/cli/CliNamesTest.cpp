// Folders and files named in every script, as albums and artists are, and
// paths longer than 260 bytes: each disc listed and extracted by vorsa-cli
// into its own folder, its track files read back. On Windows the table runs
// under LANG=ja_JP.UTF-8 (a Japanese system, 932) and under LANG=C.UTF-8 (an
// English one, 1252), which the program's own code page, UTF-8, makes alike.
#include "CliProcess.h"
#include "DiscBuilder.h"
#include "TempDir.h"
#include "WavExpectation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vorsa::testing
{
namespace
{

struct NameRow {
    const char *name;
    std::string folder; // under the test's folder, "/" between folders
    std::string stem;   // the description file's name without its extension
    bool ccd = false;
    std::string quotedImage = {}; // the cue sheet's FILE name, in the sheet's own bytes
    bool systemCodePage = false;  // Windows: the build that keeps the system's code page
};

void PrintTo(const NameRow &row, std::ostream *os)
{
    *os << row.name;
}

// Past 260 bytes on its own, in names of 62 characters: a folder takes at
// most 255.
std::string DeepFolder()
{
    std::string folder;
    for (char level = '1'; level <= '5'; ++level)
        folder +=
            std::string(folder.empty() ? "" : "/") + "level-" + level + "-" + std::string(54, 'x');
    return folder;
}

class CliNames : public ::testing::TestWithParam<NameRow>
{
};

TEST_P(CliNames, ListsAndExtractsIntoTheFolderByteForByte)
{
    const NameRow &row = GetParam();
    TempDir dir;
    std::filesystem::create_directories(SystemPath(dir.File(row.folder)));
    const std::string base = dir.File(row.folder + "/" + row.stem);
    GeneratedDisc disc;
    disc.imagePath = base + (row.ccd ? ".img" : ".bin");
    disc.starts = {0, 3};
    disc.imageBytes = 7 * kSectorBytes;
    WritePatternImage(disc.imagePath, disc.imageBytes);
    disc.seed = PatternSeed(disc.imagePath);
    disc.descriptionPath = base + (row.ccd ? ".ccd" : ".cue");
    WriteWholeFile(disc.descriptionPath,
                   row.ccd ? CcdText(disc.starts) : CueSheetText(disc.starts, row.quotedImage));
    CliSetting setting;
#ifdef _WIN32
    setting.systemCodePage = row.systemCodePage;
#endif

    const CliResult list = RunCli({"list", disc.descriptionPath}, setting);
    EXPECT_EQ(list.status, 0) << list.err;
    EXPECT_EQ(list.out, disc.imagePath + "\n001 / 00 : 00\n002 / 00 : 00\n");

    const CliResult extract = RunCli(
        {"extract", disc.descriptionPath, "--prefix", "曲", "--folder", dir.File(row.folder)},
        setting);
    ASSERT_EQ(extract.status, 0) << extract.err;
    EXPECT_EQ(Lines(extract.err).back(), "終わりました");
    EXPECT_EQ(WavMismatch(ReadWholeFile(dir.File(row.folder + "/曲01.wav")),
                          ExpectedTrackFile(disc, 0, 3)),
              "");
    EXPECT_EQ(WavMismatch(ReadWholeFile(dir.File(row.folder + "/曲02.wav")),
                          ExpectedTrackFile(disc, 3, 4)),
              "");
}

std::vector<NameRow> NameRows()
{
    std::vector<NameRow> rows{
        {"Latin", "Café", "Café", false, "Café.bin"},
        {"LatinWithSpace", "Ökotöne", "Crème brûlée", false, "Crème brûlée.bin"},
        {"Hangul", "아이유", "아이유", true},
        // 𠮷 is outside JIS X 0208, and two UTF-16 units, as the emoji is.
        {"KanjiOutsideJis", "𠮷野家", "𠮷野家", false, "𠮷野家.bin"},
        {"Emoji", "🎶 Live", "🎶", false, "🎶.bin"},
        // Saved in UTF-8, as many players and rippers write: in 932 the last
        // byte of 語 (0x9E) would start a character and swallow the ".".
        {"Utf8Sheet", "日本語", "日本語", false, "日本語.bin"},
        {"Deep", DeepFolder(), "disc", false, "disc.bin"},
    };
#ifdef _WIN32
    // 曲名 in Shift-JIS, in a folder whose name ends in the byte of "\" in
    // 932: the program as it runs where the manifest's code page is unknown.
    rows.push_back(
        {"SystemCodePageShiftJisSheet", "表", "曲名", false, "\x8B\xC8\x96\xBC.bin", true});
#endif
    return rows;
}

INSTANTIATE_TEST_SUITE_P(Names, CliNames, ::testing::ValuesIn(NameRows()),
                         [](const auto &info) { return std::string(info.param.name); });

// An error that names such a file reads whole, the Japanese included.
TEST(CliNamesMessage, MissingImageIsNamedInTheOpenError)
{
    TempDir dir;
    std::filesystem::create_directories(SystemPath(dir.File("아이유")));
    const std::string ccd = dir.Write("아이유/아이유.ccd", CcdText({0, 3}));

    const CliResult result = RunCli({"list", ccd});

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "ファイル " + dir.File("아이유/아이유.img") + " は開けません.\n");
}

#ifdef _WIN32
// Where the code page has no "é", the system's best fit would spell Café as
// Cafe: the name of another disc, which must not be listed in its place.
TEST(CliNamesSystemCodePage, NameOutsideTheCodePageIsNoLookAlikesName)
{
    TempDir dir;
    std::filesystem::create_directories(SystemPath(dir.File("Cafe")));
    WritePatternImage(dir.File("Cafe/Cafe.bin"), 7 * kSectorBytes);
    dir.Write("Cafe/Cafe.cue", CueSheetText({0, 3}, "Cafe.bin"));
    CliSetting setting;
    setting.systemCodePage = true;

    const CliResult result = RunCli({"list", dir.File("Café/Café.cue")}, setting);

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "不正なファイル名です.\n");
}
#endif

} // namespace
} // namespace vorsa::testing
