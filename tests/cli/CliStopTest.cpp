// Ctrl-C during an extraction. A track file that is a FIFO holds the run
// inside that track for as long as the test does not read it, so the signal
// reaches the process at a known point without any timing.
#include "CliProcess.h"
#include "DiscBuilder.h"
#include "TempDir.h"
#include "WavExpectation.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vorsa::testing
{
namespace
{

void Pause()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// The reading end of a FIFO, opened without waiting for its writer.
class FifoReader
{
public:
    explicit FifoReader(const std::string &path)
    {
        if (mkfifo(path.c_str(), 0600) != 0)
            ADD_FAILURE() << "mkfifo " << path;
        fd_ = open(path.c_str(), O_RDONLY | O_NONBLOCK);
    }
    ~FifoReader() { close(fd_); }
    FifoReader(const FifoReader &) = delete;
    FifoReader &operator=(const FifoReader &) = delete;

    // Exactly `count` bytes, once the process has opened the FIFO and written them.
    std::string Read(std::size_t count, CliProcess &process)
    {
        std::string bytes;
        while (bytes.size() < count) {
            char buffer[4096];
            const auto want = std::min(sizeof buffer, count - bytes.size());
            const ssize_t got = read(fd_, buffer, want);
            if (got > 0) {
                bytes.append(buffer, static_cast<std::size_t>(got));
            } else if (!process.Running()) {
                ADD_FAILURE() << "vorsa-cli ended before writing to the FIFO";
                break;
            } else {
                Pause(); // no writer yet (0) or nothing written yet (EAGAIN)
            }
        }
        return bytes;
    }

    // Everything up to the writer's close; call once the writer has been seen.
    std::string ReadToEnd()
    {
        std::string bytes;
        for (;;) {
            char buffer[65536];
            const ssize_t got = read(fd_, buffer, sizeof buffer);
            if (got > 0)
                bytes.append(buffer, static_cast<std::size_t>(got));
            else if (got == 0)
                return bytes;
            else if (errno == EAGAIN)
                Pause();
            else
                return bytes;
        }
    }

private:
    int fd_ = -1;
};

constexpr std::size_t kHeaderBytes = 44;

class CliStop : public ::testing::Test
{
protected:
    // Track 2 (100 sectors) is far larger than a pipe holds.
    TempDir dir;
    GeneratedDisc disc = WriteCueDisc(dir, "disc", {50, 100, 50, 50});
    TempDir out;
    std::vector<std::string> arguments{"extract", disc.descriptionPath, "--prefix",
                                       "cd",      "--folder",           out.Path()};
};

TEST_F(CliStop, FirstInterruptFinishesTheTrackAndStopsBeforeTheNext)
{
    FifoReader track2(out.File("cd02.wav"));
    CliProcess process(arguments);
    std::string written = track2.Read(kHeaderBytes, process);

    process.Signal(SIGINT);
    written += track2.ReadToEnd();
    const CliResult result = process.Wait();

    EXPECT_EQ(result.status, 130) << result.err;
    EXPECT_EQ(result.err.substr(result.err.size() - std::string("終わりました\n").size()),
              "終わりました\n");
    EXPECT_EQ(WavMismatch(out.Read("cd01.wav"), ExpectedTrackFile(disc, 0, 50)), "");
    EXPECT_EQ(WavMismatch(written, ExpectedTrackFile(disc, 50, 100)), "");
    EXPECT_FALSE(FileExists(out.File("cd03.wav")));
    EXPECT_FALSE(FileExists(out.File("cd04.wav")));
}

TEST_F(CliStop, SecondInterruptEndsTheProgramAtOnce)
{
    FifoReader track2(out.File("cd02.wav"));
    CliProcess process(arguments);
    track2.Read(kHeaderBytes, process);

    process.Signal(SIGINT);
    // Two signals sent together may arrive as one; wait for the first to be seen.
    while (process.ErrSoFar().find("Ctrl-C again") == std::string::npos && process.Running())
        Pause();
    process.Signal(SIGINT);
    const CliResult result = process.Wait();

    EXPECT_EQ(result.status, 130) << result.err;
    EXPECT_EQ(result.err.find("終わりました"), std::string::npos) << result.err;
    EXPECT_FALSE(FileExists(out.File("cd03.wav")));
}

} // namespace
} // namespace vorsa::testing
