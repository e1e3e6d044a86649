// Ctrl-C during an extraction. The run is held inside track 2 for as long
// as the test likes, so the Ctrl-C reaches the process at a known point
// without any timing: on Linux the track file is a FIFO the test does not
// read yet; on Windows the program's main thread is suspended while the
// track's file is seen under way.
#include "CliProcess.h"
#include "DiscBuilder.h"
#include "TempDir.h"
#include "WavExpectation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <thread>
#ifdef _WIN32
#include <filesystem>
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorsa::testing
{
namespace
{

void Pause()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

constexpr std::size_t kHeaderBytes = 44;

#ifdef _WIN32
// Long enough that its copy is caught under way even on a machine whose
// other core is busy, where the test waits for the processor now and then.
constexpr std::int32_t kHeldSectors = 30000;

// Holds the run inside one track: once its file has grown past the header
// but not to its full size, the main thread is suspended.
class HeldTrack
{
public:
    HeldTrack(const TempDir &out, std::string_view name, std::uint64_t fullBytes)
        : path_(out.File(name)), fullBytes_(fullBytes)
    {
    }

    void Reach(CliProcess &process)
    {
        while (process.Running()) {
            if (Size() > kHeaderBytes && Size() < fullBytes_) {
                process.Suspend();
                if (Size() < fullBytes_)
                    return;
                process.Resume();
                ADD_FAILURE() << "the track was written whole before it could be held";
                return;
            }
            Pause();
        }
        ADD_FAILURE() << "vorsa-cli ended before the track was held";
    }

    // Waits, the run still inside the track, until `arrived` or the end of
    // the process. Wine hands a Ctrl-C to the program as a Unix signal,
    // which waits for a thread that runs: so the main thread is let go for
    // a moment at a time, each far shorter than the track's copy.
    template <typename Arrived> void Await(CliProcess &process, Arrived arrived)
    {
        while (!arrived() && process.Running()) {
            process.Resume();
            process.Suspend();
            Pause();
        }
        EXPECT_LT(Size(), fullBytes_) << "the track was written whole while held";
    }

    void Release(CliProcess &process) { process.Resume(); }

    // The track's file, once the process has ended.
    std::string Written() const { return ReadWholeFile(path_); }

private:
    std::uint64_t Size() const
    {
        std::error_code missing;
        const std::uintmax_t size = std::filesystem::file_size(path_, missing);
        return missing ? 0 : size;
    }

    std::string path_;
    std::uint64_t fullBytes_;
};
#else
// Far larger than a pipe holds.
constexpr std::int32_t kHeldSectors = 100;

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

// Holds the run inside one track, whose file is a FIFO read only on release.
class HeldTrack
{
public:
    HeldTrack(const TempDir &out, std::string_view name, std::uint64_t) : fifo_(out.File(name)) {}

    void Reach(CliProcess &process) { written_ = fifo_.Read(kHeaderBytes, process); }
    // Waits, the run still inside the track, until `arrived` or the end of
    // the process.
    template <typename Arrived> void Await(CliProcess &process, Arrived arrived)
    {
        while (!arrived() && process.Running())
            Pause();
    }
    void Release(CliProcess &) { written_ += fifo_.ReadToEnd(); }
    std::string Written() const { return written_; }

private:
    FifoReader fifo_;
    std::string written_;
};
#endif

class CliStop : public ::testing::Test
{
protected:
    // Windows: a console for the Ctrl-C to be sent to.
    static CliSetting ConsoleSetting()
    {
        CliSetting setting;
#ifdef _WIN32
        setting.console = true;
#endif
        return setting;
    }

    // Two signals sent together may arrive as one; this waits for the first
    // to be seen.
    void AwaitStopNote(CliProcess &process)
    {
        track2.Await(process, [&process] {
            return process.ErrSoFar().find("Ctrl-C again") != std::string::npos;
        });
    }

    TempDir dir;
    GeneratedDisc disc = WriteCueDisc(dir, "disc", {50, kHeldSectors, 50, 50});
    TempDir out;
    std::vector<std::string> arguments{"extract", disc.descriptionPath, "--prefix",
                                       "cd",      "--folder",           out.Path()};
    const std::string track2Whole = ExpectedTrackFile(disc, 50, kHeldSectors);
    HeldTrack track2{out, "cd02.wav", track2Whole.size()};

    // One interrupt while track 2 is held, then the track let go: the run as
    // the program ends it.
    CliResult InterruptOnce(const CliSetting &setting)
    {
        CliProcess process(arguments, setting);
        track2.Reach(process);
        process.Signal(SIGINT);
        AwaitStopNote(process);
        track2.Release(process);
        return process.Wait();
    }
};

TEST_F(CliStop, FirstInterruptFinishesTheTrackAndStopsBeforeTheNext)
{
    const CliResult result = InterruptOnce(ConsoleSetting());

    EXPECT_EQ(result.status, 130) << result.err;
    EXPECT_EQ(result.err.substr(result.err.size() - std::string("終わりました\n").size()),
              "終わりました\n");
    EXPECT_EQ(WavMismatch(out.Read("cd01.wav"), ExpectedTrackFile(disc, 0, 50)), "");
    EXPECT_EQ(WavMismatch(track2.Written(), track2Whole), "");
    EXPECT_FALSE(FileExists(out.File("cd03.wav")));
    EXPECT_FALSE(FileExists(out.File("cd04.wav")));
}

TEST_F(CliStop, SecondInterruptEndsTheProgramAtOnce)
{
    CliProcess process(arguments, ConsoleSetting());
    track2.Reach(process);

    process.Signal(SIGINT);
    AwaitStopNote(process);
    process.Signal(SIGINT);
    track2.Await(process, [] { return false; });
    const CliResult result = process.Wait();

    EXPECT_EQ(result.status, 130) << result.err;
    EXPECT_EQ(result.err.find("終わりました"), std::string::npos) << result.err;
    EXPECT_FALSE(FileExists(out.File("cd03.wav")));
}

#ifdef _WIN32
// A program started as the root of a process group of its own, as `start /b`
// and job runners start one, begins with Ctrl-C ignored: the system calls
// no handler for it. Sent to that group, Ctrl-C still stops the run.
TEST_F(CliStop, InterruptReachesAProgramInAProcessGroupOfItsOwn)
{
    CliSetting setting = ConsoleSetting();
    setting.newProcessGroup = true;
    const CliResult result = InterruptOnce(setting);

    EXPECT_EQ(result.status, 130) << result.err;
    EXPECT_EQ(WavMismatch(track2.Written(), track2Whole), "");
    EXPECT_FALSE(FileExists(out.File("cd03.wav")));
}
#endif

} // namespace
} // namespace vorsa::testing
