// Song list items from the track table and the image size: whole-second
// lengths, the last one up to the image's end.
#include "DiscFormat.h"
#include "DiscImage.h"
#include "DiscReaders.h"
#include "Messages.h"
#include "NumberText.h"
#include "TrackTable.h"
#include "WindowState.h"

#include <optional>

namespace vorsa
{

namespace
{

std::string SongCaption(std::int16_t track, std::int32_t lengthSeconds)
{
    return FormatPadded(track, 3) + " / " + FormatPadded(lengthSeconds / 60, 2) + " : " +
           FormatPadded(lengthSeconds % 60, 2);
}

// None for a WAV image of other sound. The image is closed again before
// anything is shown.
std::optional<std::int32_t> ImageSize(const std::string &imagePath)
{
    const DiscImage image(imagePath);
    if (!image.HoldsCdSound())
        return std::nullopt;
    return image.Size();
}

} // namespace

LoadResult AddSongListEntries(WindowState &window)
{
    const std::optional<std::int32_t> imageSize = ImageSize(window.Text(TextControl::Label2));
    if (!imageSize)
        return RefuseDescription(window, messages::kNotCdWav);
    const std::int32_t size = *imageSize;

    std::int32_t lastMinutes = 0;
    std::int32_t lastSeconds = 0;
    for (std::int16_t i = 1; i < TrackCount; ++i) {
        const std::string &entry = TrackStarts[static_cast<std::size_t>(i)];
        const std::string &next = TrackStarts[static_cast<std::size_t>(i) + 1];
        // All four fields are converted before the item is added, so a bad
        // field never leaves a half-made item behind.
        const std::int32_t m1 = EntryMinutes(entry);
        const std::int32_t s1 = EntrySeconds(entry);
        const std::int32_t m2 = EntryMinutes(next);
        const std::int32_t s2 = EntrySeconds(next);
        const std::int32_t length = (m2 * 60 + s2) - (m1 * 60 + s1);
        window.AddSongListItem(SongCaption(i, length));
        lastMinutes = m2;
        lastSeconds = s2;
    }

    // Frames are ignored, and so are the bytes beyond the image's last whole
    // second.
    const std::int32_t imageMinutes = size / kBytesPerMinute;
    const std::int32_t restBytes = size - imageMinutes * kBytesPerMinute;
    const std::int32_t restSeconds = restBytes / kBytesPerSecond;
    const std::int32_t lastLength =
        imageMinutes * 60 + restSeconds - (lastMinutes * 60 + lastSeconds);
    window.AddSongListItem(SongCaption(TrackCount, lastLength));
    return LoadResult::Loaded;
}

} // namespace vorsa
