#include "ReaderTestSupport.h"

#include "DiscBuilder.h"
#include "DiscFormat.h"
#include "DiscReaders.h"
#include "Errors.h"
#include "TrackTable.h"

#include <gtest/gtest.h>

namespace vorsa::testing
{
namespace
{

using vorsa::testing::PrintTo;

using Lines = std::vector<std::string>;

// The reader is chosen by the last three characters of the name alone, in
// any case; the open action reads any name, a drop only one that ends in
// "cue" or "ccd".
struct NameRow {
    const char *name;
    std::string fileName;
    std::string openedImage;  // the image the open action reads: it tells the reader
    std::string droppedImage; // the same for a drop; empty when the drop is refused
};

class LoadByNameTest : public ReaderTableTest<NameRow>
{
protected:
    // Lines each reader accepts, under the row's name.
    std::string WriteBothKinds()
    {
        return dir.Write(GetParam().fileName,
                         JoinLines({"FILE \"disc.bin\" BINARY", "TRACK 01 AUDIO",
                                    "INDEX 01 00:00:00", "MODE=0", "INDEX 1=0"},
                                   "\r\n"));
    }
};

TEST_P(LoadByNameTest, OpenChoosesReaderByLastThreeCharacters)
{
    const NameRow &row = GetParam();
    const std::string path = WriteBothKinds();
    WriteSparseImage(dir.File(row.openedImage), kBytesPerSecond);
    window.AddSongListItem("stale");
    LoadControlFile(window, path);
    EXPECT_EQ(window.Text(TextControl::Label1), path);
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File(row.openedImage));
    EXPECT_EQ(window.Captions(), (Lines{"001 / 00 : 01"}));
}

TEST_P(LoadByNameTest, DropLoadsOnlyCueAndCcdNames)
{
    const NameRow &row = GetParam();
    const GeneratedDisc earlier = WriteCueDisc(dir, "earlier", {75, 150});
    LoadControlFile(window, earlier.descriptionPath);
    const Lines earlierCaptions = window.Captions();
    const std::string path = WriteBothKinds();
    if (!row.droppedImage.empty())
        WriteSparseImage(dir.File(row.droppedImage), kBytesPerSecond);

    LoadDroppedFile(window, path);
    EXPECT_TRUE(window.Messages().empty());
    if (row.droppedImage.empty()) {
        EXPECT_EQ(window.Text(TextControl::Label1), earlier.descriptionPath);
        EXPECT_EQ(window.Text(TextControl::Label2), earlier.imagePath);
        EXPECT_EQ(window.Captions(), earlierCaptions);
        EXPECT_EQ(TableEntries(), (Lines{"00:00:00", "00:01:00"}));
    } else {
        EXPECT_EQ(window.Text(TextControl::Label1), path);
        EXPECT_EQ(window.Text(TextControl::Label2), dir.File(row.droppedImage));
        EXPECT_EQ(window.Captions(), (Lines{"001 / 00 : 01"}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, LoadByNameTest,
    ::testing::Values(NameRow{"Cue", "album.cue", "album.bin", "album.bin"},
                      NameRow{"Ccd", "album.ccd", "album.img", "album.img"},
                      NameRow{"NoDotBeforeCue", "rescue", "rescue.bin", "rescue.bin"},
                      NameRow{"UpperCaseCue", "DISC.CUE", "DISC.bin", "DISC.bin"},
                      NameRow{"UpperCaseNoDotBeforeCue", "RESCUE", "RESCUE.bin", "RESCUE.bin"},
                      NameRow{"MixedCaseCcd", "Disc.cCd", "Disc.img", "Disc.img"},
                      NameRow{"AnyOtherName", "album.txt", "album.img", ""}),
    [](const auto &info) { return info.param.name; });

// Sheets that name no image in an upper-case FILE line: they find none,
// whatever disc was loaded before them.
struct BareSheetRow {
    const char *name;
    std::string text;
};

class LoadAfterLoadTest : public ReaderTableTest<BareSheetRow>
{
};

TEST_P(LoadAfterLoadTest, SheetGivesTheSameResultWhateverWasLoadedBefore)
{
    WriteSparseImage(dir.File("bare.bin"), kBytesPerMinute);
    const std::string sheet = dir.Write("bare.cue", GetParam().text);
    const std::string noImage = "ファイル  は開けません";
    EXPECT_EQ(ErrorMessage<EFOpenError>([&] { LoadControlFile(window, sheet); }), noImage);

    MemoryWindow used;
    const GeneratedDisc earlier = WriteCueDisc(dir, "earlier", {75, 150});
    LoadControlFile(used, earlier.descriptionPath);
    ASSERT_EQ(used.SongListCount(), 2);
    EXPECT_EQ(ErrorMessage<EFOpenError>([&] { LoadControlFile(used, sheet); }), noImage);
    EXPECT_EQ(used.Text(TextControl::Label1), sheet);
    EXPECT_EQ(used.Text(TextControl::Label2), "");
    EXPECT_EQ(used.SongListCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, LoadAfterLoadTest,
    ::testing::Values(BareSheetRow{"TrackAndIndexOnly", "TRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n"
                                                        "TRACK 02 AUDIO\r\nINDEX 01 00:30:00\r\n"},
                      BareSheetRow{"LowerCaseFileLine", "file \"bare.bin\" binary\r\n"
                                                        "  track 01 AUDIO\r\n"
                                                        "    index 01 00:00:00\r\n"}),
    [](const auto &info) { return info.param.name; });

} // namespace
} // namespace vorsa::testing
