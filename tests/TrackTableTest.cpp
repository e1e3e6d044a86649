#include "ReaderTestSupport.h"

#include "DiscFormat.h"
#include "Errors.h"
#include "TrackTable.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vorsa::testing
{
namespace
{

using vorsa::testing::PrintTo;

struct SectorRow {
    const char *name;
    std::int32_t sector;
    const char *discTime;
};

class SectorToDiscTimeTest : public ::testing::TestWithParam<SectorRow>
{
};

TEST_P(SectorToDiscTimeTest, FormatsMinutesSecondsFrames)
{
    EXPECT_EQ(SectorToDiscTime(GetParam().sector), GetParam().discTime);
}

INSTANTIATE_TEST_SUITE_P(Sectors, SectorToDiscTimeTest,
                         ::testing::Values(SectorRow{"Zero", 0, "00:00:00"},
                                           SectorRow{"LastFrame", 74, "00:00:74"},
                                           SectorRow{"OneSecond", 75, "00:01:00"},
                                           SectorRow{"OneMinute", 4500, "01:00:00"},
                                           SectorRow{"Example", 12345, "02:44:45"},
                                           SectorRow{"LastTwoDigitMinute", 449999, "99:59:74"},
                                           SectorRow{"ThreeDigitMinutes", 450000, "100:00:00"},
                                           SectorRow{"MinusOne", -1, "00:00:-01"},
                                           SectorRow{"MinusOneSecond", -76, "00:-01:-01"},
                                           // 477218 minutes kept in 16 bits wrap to 18466.
                                           SectorRow{"Largest", 2147483647, "18466:35:22"}),
                         [](const auto &info) { return info.param.name; });

struct MsfRow {
    const char *name;
    std::int32_t minutes, seconds, frames;
    std::int32_t offset;
};

class MsfToByteOffsetTest : public ::testing::TestWithParam<MsfRow>
{
};

TEST_P(MsfToByteOffsetTest, CountsBytesFromImageStart)
{
    const MsfRow &row = GetParam();
    EXPECT_EQ(MsfToByteOffset(row.minutes, row.seconds, row.frames), row.offset);
}

INSTANTIATE_TEST_SUITE_P(Times, MsfToByteOffsetTest,
                         ::testing::Values(MsfRow{"Zero", 0, 0, 0, 0},
                                           MsfRow{"TwoSeconds", 0, 2, 0, 352800},
                                           MsfRow{"OneMinute", 1, 0, 0, 10584000},
                                           MsfRow{"Example", 2, 44, 45, 29035440},
                                           MsfRow{"LastDiscTime", 99, 59, 74, 1058397648},
                                           MsfRow{"LargestFields", 99, 99, 99, 1065512448},
                                           // Beyond two-character fields the 32-bit result wraps.
                                           MsfRow{"Wraps", 203, 0, 0, -2146415296}),
                         [](const auto &info) { return info.param.name; });

TEST(DiscTimeRoundTrip, EveryTwoDigitDiscTimeReadsBackToItsSectorBytes)
{
    for (std::int32_t sector = 0; sector < 450000; sector += 7) {
        const std::string entry = SectorToDiscTime(sector);
        ASSERT_EQ(MsfToByteOffset(EntryMinutes(entry), EntrySeconds(entry), EntryFrames(entry)),
                  sector * kBytesPerSector)
            << entry;
    }
}

struct FieldRow {
    const char *name;
    const char *entry;
    std::int32_t minutes, seconds, frames;
};

class EntryFieldsTest : public ::testing::TestWithParam<FieldRow>
{
};

TEST_P(EntryFieldsTest, ReadsFieldsByPosition)
{
    const FieldRow &row = GetParam();
    EXPECT_EQ(EntryMinutes(row.entry), row.minutes);
    EXPECT_EQ(EntrySeconds(row.entry), row.seconds);
    EXPECT_EQ(EntryFrames(row.entry), row.frames);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryFieldsTest,
    ::testing::Values(FieldRow{"Plain", "00:02:00", 0, 2, 0},
                      FieldRow{"LeadingBlank", " 1:02:03", 1, 2, 3},
                      // Colons are never looked at, only positions.
                      FieldRow{"OtherSeparators", "12-34_56", 12, 34, 56},
                      // Frames are the last two characters, whatever the length.
                      FieldRow{"LongText", "01:02:0345", 1, 2, 45}),
    [](const auto &info) { return info.param.name; });

struct BadFieldRow {
    const char *name;
    const char *entry;
    int field; // 0 minutes, 1 seconds, 2 frames
    const char *message;
};

class EntryFieldErrorTest : public ::testing::TestWithParam<BadFieldRow>
{
};

TEST_P(EntryFieldErrorTest, RaisesConversionErrorForFieldText)
{
    const BadFieldRow &row = GetParam();
    const std::string entry = row.entry;
    const auto read = [&] {
        switch (row.field) {
        case 0:
            return EntryMinutes(entry);
        case 1:
            return EntrySeconds(entry);
        default:
            return EntryFrames(entry);
        }
    };
    EXPECT_EQ(ErrorMessage<EConvertError>(read), row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, EntryFieldErrorTest,
    ::testing::Values(BadFieldRow{"LetterInSeconds", "00:0a:00", 1, "'0a' は整数ではありません"},
                      BadFieldRow{"ThreeDigitMinutes", "100:00:00", 1, "':0' は整数ではありません"},
                      BadFieldRow{"TrailingBlankFrames", "00:00:0 ", 2,
                                  "'0 ' は整数ではありません"},
                      BadFieldRow{"EmptyEntry", "", 0, "'' は整数ではありません"},
                      BadFieldRow{"ShortEntry", "00:", 1, "'' は整数ではありません"}),
    [](const auto &info) { return info.param.name; });

class TrackTableStoreTest : public ReaderTest
{
};

TEST_F(TrackTableStoreTest, CountsThenStoresFromSlotOne)
{
    TrackStarts[0] = "untouched";
    EXPECT_TRUE(StoreTrackStart("00:00:00"));
    EXPECT_TRUE(StoreTrackStart("03:25:40"));
    EXPECT_EQ(TrackCount, 2);
    EXPECT_EQ(TrackStarts[0], "untouched");
    EXPECT_EQ(TableEntries(), (std::vector<std::string>{"00:00:00", "03:25:40"}));
}

TEST_F(TrackTableStoreTest, IgnoresStartsBeyondSlot99)
{
    for (int i = 1; i <= 99; ++i)
        ASSERT_TRUE(StoreTrackStart(SectorToDiscTime(i)));
    EXPECT_FALSE(StoreTrackStart("99:99:99"));
    // The text of an ignored start is not even made.
    EXPECT_FALSE(StoreTrackStart([]() -> std::string { throw EConvertError("x"); }));
    EXPECT_EQ(TrackCount, 99);
    EXPECT_EQ(TrackStarts[99], SectorToDiscTime(99));
}

} // namespace
} // namespace vorsa::testing
