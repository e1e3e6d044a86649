#include "TrackSelection.h"

#include "TrackTable.h"

#include <algorithm>
#include <charconv>

namespace vorsa::cli
{

namespace
{

// Decimal digits only: no sign, no blanks, nothing after them.
std::optional<int> ParseTrackNumber(std::string_view text)
{
    int value = 0;
    const char *end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || text.front() == '+' || error != std::errc() ||
        stop != end || value < 1 || value > kMaxTracks)
        return std::nullopt;
    return value;
}

} // namespace

TrackSelection TrackSelection::All()
{
    TrackSelection selection;
    selection.all_ = true;
    return selection;
}

std::optional<TrackSelection> TrackSelection::Parse(std::string_view text)
{
    if (text == "all")
        return All();
    TrackSelection selection;
    for (;;) {
        const auto comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        const auto dash = item.find('-');
        const auto first = ParseTrackNumber(item.substr(0, dash));
        const auto last =
            dash == std::string_view::npos ? first : ParseTrackNumber(item.substr(dash + 1));
        if (!first || !last || *last < *first)
            return std::nullopt;
        selection.ranges_.push_back({*first, *last});
        if (comma == std::string_view::npos)
            return selection;
        text.remove_prefix(comma + 1);
    }
}

bool TrackSelection::Contains(int track) const
{
    return all_ || std::any_of(ranges_.begin(), ranges_.end(), [track](const Range &range) {
               return range.first <= track && track <= range.last;
           });
}

int TrackSelection::HighestTrack() const
{
    int highest = 0;
    for (const Range &range : ranges_)
        highest = std::max(highest, range.last);
    return highest;
}

} // namespace vorsa::cli
