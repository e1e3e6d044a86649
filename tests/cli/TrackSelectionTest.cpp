#include "TrackSelection.h"
#include "RowNames.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vorsa::cli
{
namespace
{

using vorsa::testing::PrintTo;

struct SelectionRow {
    const char *name;
    std::string text;
    std::vector<int> selected; // of tracks 1..10
    int highest;
};

class TrackSelectionParse : public ::testing::TestWithParam<SelectionRow>
{
};

TEST_P(TrackSelectionParse, SelectsTheNamedTracks)
{
    const SelectionRow &row = GetParam();
    const std::optional<TrackSelection> selection = TrackSelection::Parse(row.text);
    ASSERT_TRUE(selection.has_value());
    std::vector<int> selected;
    for (int track = 1; track <= 10; ++track)
        if (selection->Contains(track))
            selected.push_back(track);
    EXPECT_EQ(selected, row.selected);
    EXPECT_EQ(selection->HighestTrack(), row.highest);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TrackSelectionParse,
    ::testing::Values(SelectionRow{"All", "all", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0},
                      SelectionRow{"One", "7", {7}, 7},
                      SelectionRow{"NumbersAndRange", "1,3-5", {1, 3, 4, 5}, 5},
                      SelectionRow{"OutOfOrder", "9,2", {2, 9}, 9},
                      SelectionRow{"Overlapping", "2-4,3-6,4", {2, 3, 4, 5, 6}, 6},
                      SelectionRow{"SingleTrackRange", "4-4", {4}, 4},
                      SelectionRow{"LeadingZero", "03", {3}, 3},
                      SelectionRow{"HighestTrack", "99", {}, 99}),
    [](const auto &info) { return std::string(info.param.name); });

class TrackSelectionRefuse : public ::testing::TestWithParam<const char *>
{
};

TEST_P(TrackSelectionRefuse, RefusesMalformedList)
{
    EXPECT_FALSE(TrackSelection::Parse(GetParam()).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Malformed, TrackSelectionRefuse,
                         ::testing::Values("", "ALL", "0", "100", "-3", "3-", "5-3", "1,,2", ",1",
                                           "1,", "1-2-3", " 1", "1 ", "+1", "1.5", "x",
                                           "99999999999999999999", "1;2"));

} // namespace
} // namespace vorsa::cli
