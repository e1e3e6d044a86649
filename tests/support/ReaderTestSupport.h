// Shared pieces of the disc reading tests: a fresh track table per test,
// the text of an expected error, and sparse images.
#pragma once

#include "MemoryWindow.h"
#include "OpenDescriptors.h"
#include "RowNames.h"
#include "TempDir.h"
#include "TrackTable.h"
#include "platform/SystemText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace vorsa::testing
{

// The table is module state; every test starts from the program's start-up
// state so that no test sees another's starts.
inline void ResetTrackTable()
{
    TrackCount = 0;
    TrackStarts.fill(std::string());
}

// Whole message of the `Error` that `action` raises; a marker text when it
// raises nothing, so that the comparison with the expected message fails visibly.
template <typename Error, typename Action> std::string ErrorMessage(Action &&action)
{
    try {
        action();
    } catch (const Error &error) {
        return platform::ToUtf8(error.message());
    }
    return "(no error raised)";
}

// An image of `bytes` bytes that takes no disc space; only its size matters.
inline std::string WriteSparseImage(const std::string &path, std::int64_t bytes)
{
    // One byte written at the end leaves a hole before it. The stream takes
    // the narrow name as the system does, which std::filesystem on Windows
    // does not.
    std::ofstream image(path, std::ios::binary | std::ios::trunc);
    if (bytes > 0) {
        image.seekp(bytes - 1);
        image.put('\0');
    }
    if (!image.flush())
        throw std::runtime_error("cannot make sparse image " + path);
    return path;
}

inline std::vector<std::string> TableEntries()
{
    return {TrackStarts.begin() + 1, TrackStarts.begin() + 1 + TrackCount};
}

inline std::string JoinLines(const std::vector<std::string> &lines, const std::string &lineEnd)
{
    std::string text;
    for (const auto &line : lines)
        text += line + lineEnd;
    return text;
}

// Every other LF of an LF-only text turned into CR LF.
inline std::string MixLineEnds(std::string text)
{
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 3))
        text.replace(at, 1, "\r\n");
    return text;
}

// A test with its own folder and window and a table in start-up state.
class ReaderTest : public ::testing::Test
{
protected:
    ReaderTest() { ResetTrackTable(); }
    TempDir dir;
    MemoryWindow window;
};

template <typename Row> class ReaderTableTest : public ::testing::TestWithParam<Row>
{
protected:
    ReaderTableTest() { ResetTrackTable(); }
    TempDir dir;
    MemoryWindow window;
};

} // namespace vorsa::testing
