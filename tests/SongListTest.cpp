#include "ReaderTestSupport.h"

#include "DiscFormat.h"
#include "DiscReaders.h"
#include "Errors.h"
#include "TrackTable.h"

#include <gtest/gtest.h>

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

void SetTable(const Lines &starts)
{
    ResetTrackTable();
    for (const auto &start : starts)
        StoreTrackStart(start);
}

struct CaptionRow {
    const char *name;
    Lines starts;
    std::int64_t imageBytes;
    Lines captions;
};

class SongListCaptionTest : public ReaderTableTest<CaptionRow>
{
};

TEST_P(SongListCaptionTest, OneItemPerTrackWithWholeSecondLengths)
{
    const CaptionRow &row = GetParam();
    SetTable(row.starts);
    window.SetText(TextControl::Label2, WriteSparseImage(dir.File("disc.bin"), row.imageBytes));
    AddSongListEntries(window);
    EXPECT_EQ(window.Captions(), row.captions);
    for (int i = 0; i < window.SongListCount(); ++i)
        EXPECT_FALSE(window.ItemChecked(i));
}

constexpr std::int64_t kFourMinutes = 4 * kBytesPerMinute;

INSTANTIATE_TEST_SUITE_P(
    Tables, SongListCaptionTest,
    ::testing::Values(CaptionRow{"NoTrack", {}, 600000000, {"000 / 56 : 41"}},
                      // The first start is not subtracted from a single track.
                      CaptionRow{"OneTrackStartsLate", {"00:02:00"}, 600000000, {"001 / 56 : 41"}},
                      CaptionRow{"FramesIgnored",
                                 {"00:00:00", "03:25:74"},
                                 600000000,
                                 {"001 / 03 : 25", "002 / 53 : 16"}},
                      CaptionRow{"ThreeTracks",
                                 {"00:00:00", "03:25:10", "55:10:00"},
                                 600000000,
                                 {"001 / 03 : 25", "002 / 51 : 45", "003 / 01 : 31"}},
                      CaptionRow{"JustUnderOneSecond", {"00:00:00"}, 176399, {"001 / 00 : 00"}},
                      CaptionRow{"OneSecond", {"00:00:00"}, 176400, {"001 / 00 : 01"}},
                      CaptionRow{"EmptyImage", {}, 0, {"000 / 00 : 00"}},
                      CaptionRow{"EqualStarts",
                                 {"01:00:00", "01:00:00"},
                                 kFourMinutes,
                                 {"001 / 00 : 00", "002 / 03 : 00"}},
                      CaptionRow{"StartBeforePrevious",
                                 {"05:00:00", "03:30:00"},
                                 kFourMinutes,
                                 {"001 / -01 : -30", "002 / 00 : 30"}},
                      CaptionRow{"LastStartBeyondImage",
                                 {"00:00:00", "00:05:00"},
                                 kBytesPerSecond,
                                 {"001 / 00 : 05", "002 / 00 : -04"}},
                      CaptionRow{"FieldsByPosition",
                                 {" 1:02:03", "$A:00:00"},
                                 kFourMinutes * 3,
                                 {"001 / 08 : 58", "002 / 02 : 00"}},
                      // 2^31 bytes and more count as 2^31 - 1: never a wrapped, negative size.
                      CaptionRow{"TwoGibibytes", {"00:00:00"}, 2147483648LL, {"001 / 202 : 53"}},
                      CaptionRow{"FourGibibytesAndTwoSeconds",
                                 {"00:00:00", "99:00:00"},
                                 4294967296LL + 2 * kBytesPerSecond,
                                 {"001 / 99 : 00", "002 / 103 : 53"}}),
    [](const auto &info) { return info.param.name; });

// A field that is no integer stops the list at the item that needs it; the
// fields of an item are converted in the order m1, s1, m2, s2.
struct FieldErrorRow {
    const char *name;
    Lines starts;
    const char *message;
    Lines captions;
};

class SongListFieldErrorTest : public ReaderTableTest<FieldErrorRow>
{
};

TEST_P(SongListFieldErrorTest, KeepsItemsBeforeAndAddsNoneAfter)
{
    const FieldErrorRow &row = GetParam();
    SetTable(row.starts);
    window.SetText(TextControl::Label2, WriteSparseImage(dir.File("disc.bin"), kFourMinutes));
    const std::size_t descriptors = OpenDescriptorCount();
    EXPECT_EQ(ErrorMessage<EConvertError>([&] { AddSongListEntries(window); }), row.message);
    EXPECT_EQ(window.Captions(), row.captions);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
}

INSTANTIATE_TEST_SUITE_P(Tables, SongListFieldErrorTest,
                         ::testing::Values(FieldErrorRow{"ThirdOfFour",
                                                         {"00:00:00", "01:00:00", "00:0a:00",
                                                          "03:00:00"},
                                                         "'0a' は整数ではありません",
                                                         {"001 / 01 : 00"}},
                                           FieldErrorRow{"FirstMinutesBeforeFirstSeconds",
                                                         {"0a:0b:00", "01:00:00"},
                                                         "'0a' は整数ではありません",
                                                         {}},
                                           FieldErrorRow{"FirstSecondsBeforeNextMinutes",
                                                         {"00:0b:00", "0c:00:00"},
                                                         "'0b' は整数ではありません",
                                                         {}},
                                           FieldErrorRow{"NextMinutesBeforeNextSeconds",
                                                         {"00:00:00", "0c:0d:00"},
                                                         "'0c' は整数ではありません",
                                                         {}},
                                           FieldErrorRow{"LastEntryStopsLastItem",
                                                         {"00:00:00", "01:00:00", "02:0z:00"},
                                                         "'0z' は整数ではありません",
                                                         {"001 / 01 : 00"}},
                                           FieldErrorRow{"ThreeDigitMinutes",
                                                         {"00:00:00", "100:00:00"},
                                                         "':0' は整数ではありません",
                                                         {}}),
                         [](const auto &info) { return info.param.name; });

class SongListTest : public ReaderTest
{
};

TEST_F(SongListTest, FramesAndLaterSlotsAreNeverRead)
{
    SetTable({"00:00:xx", "01:00:yy"});
    TrackStarts[3] = "not a time";
    window.SetText(TextControl::Label2, WriteSparseImage(dir.File("disc.bin"), kFourMinutes));
    AddSongListEntries(window);
    EXPECT_EQ(window.Captions(), (Lines{"001 / 01 : 00", "002 / 03 : 00"}));
}

TEST_F(SongListTest, ImageThatCannotBeOpenedAddsNoItem)
{
    SetTable({"00:00:00"});
    const std::string missing = dir.File("missing.bin");
    window.SetText(TextControl::Label2, missing);
    EXPECT_EQ(ErrorMessage<EFOpenError>([&] { AddSongListEntries(window); }),
              "ファイル " + missing + " は開けません");
    window.SetText(TextControl::Label2, "");
    EXPECT_EQ(ErrorMessage<EFOpenError>([&] { AddSongListEntries(window); }),
              "ファイル  は開けません");

    // Another program writing the image keeps it from being opened.
#ifndef _WIN32
    const std::string busy = WriteSparseImage(dir.File("busy.bin"), kBytesPerSecond);
    const int writer = ::open(busy.c_str(), O_RDWR);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);
    window.SetText(TextControl::Label2, busy);
    EXPECT_EQ(ErrorMessage<EFOpenError>([&] { AddSongListEntries(window); }),
              "ファイル " + busy + " は開けません");
    ::close(writer);
#endif
    EXPECT_EQ(window.SongListCount(), 0);
}

TEST_F(SongListTest, ImageIsClosedOnceItsSizeIsKnown)
{
    SetTable({"00:00:00"});
    const std::string image = WriteSparseImage(dir.File("disc.bin"), kBytesPerSecond);
    window.SetText(TextControl::Label2, image);
    const std::size_t descriptors = OpenDescriptorCount();
    AddSongListEntries(window);
    EXPECT_EQ(OpenDescriptorCount(), descriptors);
#ifndef _WIN32
    const int writer = ::open(image.c_str(), O_RDWR);
    EXPECT_EQ(::flock(writer, LOCK_EX | LOCK_NB), 0);
    ::close(writer);
#endif
}

} // namespace
} // namespace vorsa::testing
