// Loading a disc description (cue sheet or .ccd file) into the track table
// and the song list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorsa
{

class WindowState;

// What a load did, for the front ends that act on it (vorsa-cli's status);
// the user has been told already. A file that cannot be read raises instead.
enum class LoadResult {
    Loaded,  // the song list holds the disc's tracks
    Refused, // no audio track, several sessions, a WAV image of other
             // sound, or a dropped name of another type
};

// The load sequence of the open action: Label1 = path, song list emptied,
// then the cue sheet reader when the path ends in "cue" (any case), else the
// .ccd reader.
LoadResult LoadControlFile(WindowState &window, const std::string &path);
// The load sequence of a file drop, given the dropped name: a name that ends
// in "cue" or "ccd" (ASCII case ignored, no dot needed) goes on as the open
// action does; any other changes nothing, Label1 showing its text again.
LoadResult LoadDroppedFile(WindowState &window, const std::string &droppedName);

LoadResult ReadCueSheet(WindowState &window, const std::string &path);
LoadResult ReadCcdFile(WindowState &window, const std::string &path);

// Opens the image named by Label2 for its size and adds one song list item
// per track ("001 / 03 : 25"), the last one's length from the image size.
// A WAV image of other sound than a CD's is refused as the readers refuse
// their files, with no item added.
LoadResult AddSongListEntries(WindowState &window);

// The start of every reader run: the table's count and the image path are
// emptied, so a description gives the same result whatever was loaded before.
void StartReading(WindowState &window);

// A reader's refusal of a file: the message, then Label1 and Label2 emptied,
// so that nothing half-loaded can be extracted.
LoadResult RefuseDescription(WindowState &window, std::string_view message);

// First character position at or after `start` whose character equals
// `what`, 0 when none.
std::ptrdiff_t FindCharFrom(std::ptrdiff_t start, const std::string &what, const std::string &line);

} // namespace vorsa
