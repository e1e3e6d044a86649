// The --tracks argument of vorsa-cli: "all", or track numbers and ranges
// separated by commas ("1,3-5"). Track numbers count from 1, as on the disc.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace vorsa::cli
{

class TrackSelection
{
public:
    // Every track of the disc.
    static TrackSelection All();
    // Empty when the text is neither "all" nor a well-formed list.
    static std::optional<TrackSelection> Parse(std::string_view text);

    bool Contains(int track) const;
    // Highest track named, 0 for "all"; lets the caller refuse a track the
    // loaded disc does not have.
    int HighestTrack() const;

private:
    struct Range {
        int first;
        int last;
    };
    bool all_ = false;
    std::vector<Range> ranges_;
};

} // namespace vorsa::cli
