// Writing the ticked tracks of the song list from the raw image into WAV
// files: a 44-byte PCM header (44100 Hz, 16 bits, 2 channels) followed by
// the track's 2352-byte sectors.
#pragma once

#include <array>
#include <cstdint>

namespace vorsa
{

class WindowState;

// The stop flag: set by the stop button, cleared and read by a run.
extern bool AbortRequested;

// How a run ended, for the front ends that act on it (vorsa-cli's status);
// the user has been told already. An error during a run raises instead.
enum class RunResult {
    NotStarted, // no description file, prefix or folder, or an image that
                // is a WAV of other sound: nothing was written
    Finished,   // every ticked track was written
    Stopped,    // the stop button ended it before a ticked track
};

RunResult ExtractCheckedTracks(WindowState &window);
void Button1Click();

// Closes the file of the track being written, if a run is under way, at
// once: when the session ends, the system may end the process as soon as the
// window has answered, before the run could unwind and close it itself. What
// the file holds then stays; the run must end at its next look at the window.
void CloseRunningTrackFile();

// Bytes 0-35 of a track file, little-endian whatever the host.
struct WaveFormatHeader {
    std::uint32_t riffSize = 0; // data size + 36
    std::array<std::uint8_t, 36> Bytes() const;
};

// Bytes 36-43 of a track file.
struct DataChunkHeader {
    std::uint32_t dataSize = 0; // sectors copied x 2352
    std::array<std::uint8_t, 8> Bytes() const;
};

} // namespace vorsa
