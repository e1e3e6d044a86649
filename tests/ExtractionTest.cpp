// Extraction to WAV files: real images of a few sectors whose bytes name
// their sector, the files read back and judged by the shared expectation, stops
// handled while the in-memory window processes its events, and every way a
// run can end leaving no file open and the stop button off.
#include "Extraction.h"

#include "DiscBuilder.h"
#include "DiscFormat.h"
#include "MemoryWindow.h"
#include "Messages.h"
#include "OpenDescriptors.h"
#include "RowNames.h"
#include "TempDir.h"
#include "TrackTable.h"
#include "WavExpectation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>
#ifndef _WIN32
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vorsa
{
namespace
{

using testing::ExpectedWavFile;
using testing::FileExists;
using testing::MemoryWindow;
using testing::OpenDescriptorCount;
using testing::PatternBytes;
using testing::PrintTo;
using testing::ReadWholeFile;
using testing::TempDir;
using testing::WavMismatch;
using testing::WritePatternImage;

const std::string kFinished(messages::kFinished);

// The image that every case writes, under its pattern seed.
const std::uint32_t kSeed = testing::PatternSeed("disc.bin");

// A track file read back and judged against the shared expectation.
void ExpectWav(const std::string &path, const std::string &expectedData)
{
    SCOPED_TRACE(path);
    ASSERT_TRUE(FileExists(path));
    EXPECT_EQ(WavMismatch(ReadWholeFile(path), ExpectedWavFile(expectedData)), "");
}

std::string Sectors(std::int64_t firstSector, std::int64_t count)
{
    return PatternBytes(kSeed, firstSector * kBytesPerSector, count * kBytesPerSector);
}

class ExtractionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TrackCount = 0;
        AbortRequested = false;
        descriptors_ = OpenDescriptorCount();
        window.SetText(TextControl::Label1, dir.File("disc.cue"));
        window.SetText(TextControl::Label2, dir.File("disc.bin"));
        window.SetText(TextControl::Edit1, "cd");
        window.SetText(TextControl::Label6, dir.Folder());
    }

    void TearDown() override
    {
        EXPECT_EQ(OpenDescriptorCount(), descriptors_) << "a file was left open";
        TrackCount = 0;
        AbortRequested = false;
    }

    // An image of `imageBytes` pattern bytes and one ticked item per start.
    void Disc(const std::vector<std::string> &starts, std::int64_t imageBytes)
    {
        WritePatternImage(dir.File("disc.bin"), imageBytes);
        TrackCount = 0;
        for (const auto &start : starts)
            StoreTrackStart(start);
        window.ClearSongList();
        for (std::size_t i = 0; i < starts.size(); ++i)
            window.AddSongListItem("item");
        window.CheckAll();
    }

    void DiscOfSectors(const std::vector<std::int32_t> &startSectors, std::int32_t imageSectors,
                       int tailBytes = 0)
    {
        std::vector<std::string> starts;
        for (auto sector : startSectors)
            starts.push_back(SectorToDiscTime(sector));
        Disc(starts, std::int64_t{imageSectors} * kBytesPerSector + tailBytes);
    }

    std::string Track(int n) const
    {
        return dir.File((n < 10 ? "cd0" : "cd") + std::to_string(n) + ".wav");
    }

    // Runs and returns the message of the error that ended it, "" for none.
    std::string Run()
    {
        try {
            ExtractCheckedTracks(window);
        } catch (const std::exception &error) {
            return error.what();
        }
        return "";
    }

    void ExpectEndedWithStopOff()
    {
        EXPECT_EQ(window.stopEnabledLog, (std::vector<bool>{true, false}));
    }

    TempDir dir;
    MemoryWindow window;

private:
    std::size_t descriptors_ = 0;
};

struct PreconditionCase {
    const char *name;
    bool label1, edit1, label6;
    std::string_view message;
};

class PreconditionTest : public ExtractionTest,
                         public ::testing::WithParamInterface<PreconditionCase>
{
};

TEST_P(PreconditionTest, FirstFailingOneIsShownAndNothingElseHappens)
{
    const auto &row = GetParam();
    if (!row.label1)
        window.SetText(TextControl::Label1, "");
    if (!row.edit1)
        window.SetText(TextControl::Edit1, "");
    if (!row.label6)
        window.SetText(TextControl::Label6, "");
    AbortRequested = true;
    // No image exists: opening it would raise, so the run must end before.
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(window.Messages(), std::vector<std::string>{std::string(row.message)});
    EXPECT_TRUE(window.stopEnabledLog.empty());
    EXPECT_TRUE(AbortRequested);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(
    Extraction, PreconditionTest,
    ::testing::Values(
        PreconditionCase{"NothingSet", false, false, false, messages::kNoControlFile},
        PreconditionCase{"NoDescription", false, true, true, messages::kNoControlFile},
        PreconditionCase{"NoDescriptionNoFolder", false, true, false, messages::kNoControlFile},
        PreconditionCase{"NoPrefix", true, false, true, messages::kNoPrefix},
        PreconditionCase{"NoPrefixNoFolder", true, false, false, messages::kNoPrefix},
        PreconditionCase{"NoFolder", true, true, false, messages::kNoFolder}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ExtractionTest, MissingImageRaisesOpenErrorAndLeavesStopStateAlone)
{
    DiscOfSectors({0}, 1);
    window.CheckAll(false); // the image is needed even with nothing to write
    window.SetText(TextControl::Label2, dir.File("gone.bin"));
    AbortRequested = true;
    EXPECT_EQ(Run(), "ファイル " + dir.File("gone.bin") + " は開けません");
    EXPECT_TRUE(window.stopEnabledLog.empty());
    EXPECT_TRUE(AbortRequested);
    EXPECT_TRUE(window.Messages().empty());
}

TEST_F(ExtractionTest, TicksDecideWhichTracksAreWrittenEachWithItsOwnBytes)
{
    DiscOfSectors({0, 3, 7}, 12);
    window.Check(1, false);
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(1), Sectors(0, 3));
    EXPECT_FALSE(FileExists(Track(2)));
    ExpectWav(Track(3), Sectors(7, 5));
    EXPECT_EQ(window.Messages(), std::vector<std::string>{kFinished});
    ExpectEndedWithStopOff();
}

TEST_F(ExtractionTest, FirstTrackStartsAtByteZeroWhateverItsEntrySays)
{
    Disc({"00:02:00", "00:02:10"}, 170 * kBytesPerSector);
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(1), Sectors(0, 160));
    ExpectWav(Track(2), Sectors(160, 10));
}

TEST_F(ExtractionTest, LastTrackEndsAtImageSizeWithoutItsPartialSector)
{
    DiscOfSectors({0, 2}, 5, 1000);
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(2), Sectors(2, 3));
}

TEST_F(ExtractionTest, SpanOfNoWholeSectorGivesHeaderOnly)
{
    // Out of order, equal, and a last start that leaves less than a sector.
    Disc({"00:00:00", "00:00:05", "00:00:03", "00:00:03", "00:00:09"}, 9 * kBytesPerSector + 100);
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(1), Sectors(0, 5));
    ExpectWav(Track(2), "");
    ExpectWav(Track(3), "");
    ExpectWav(Track(4), Sectors(3, 6));
    ExpectWav(Track(5), "");
}

TEST_F(ExtractionTest, BytesTheImageDoesNotHoldAreSilence)
{
    // Track 1 reaches 2 sectors and 100 bytes past the image's end; track 2
    // begins one sector before the image (a frames field of -1).
    Disc({"00:00:00", "00:00:05", "00:00:-1"}, 3 * kBytesPerSector - 100);
    window.Check(1, false);
    EXPECT_EQ(Run(), "");
    const std::string held = PatternBytes(kSeed, 0, 3 * kBytesPerSector - 100);
    ExpectWav(Track(1), held + std::string(2 * kBytesPerSector + 100, '\0'));
    ExpectWav(Track(3), std::string(kBytesPerSector, '\0') + Sectors(0, 1) + Sectors(1, 1));
}

// The turn (counted from 1) in which the stop is asked for: after track 1's
// file was made comes turn 1, before its first sector turn 2, after its last 3.
class StopDuringCopyTest : public ExtractionTest, public ::testing::WithParamInterface<int>
{
};

TEST_P(StopDuringCopyTest, TrackIsCompletedAndTheNextTickedOneNeverNamed)
{
    DiscOfSectors({0, 2, 4, 6}, 8);
    window.Check(1, false);
    window.onProcessEvents = [this] {
        if (window.processEventsCalls == GetParam())
            Button1Click();
    };
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(1), Sectors(0, 2));
    EXPECT_FALSE(FileExists(Track(3)));
    EXPECT_FALSE(FileExists(Track(4)));
    EXPECT_EQ(window.Messages(), std::vector<std::string>{kFinished});
    ExpectEndedWithStopOff();
}

INSTANTIATE_TEST_SUITE_P(Extraction, StopDuringCopyTest, ::testing::Values(2, 3),
                         [](const auto &info) {
                             return std::string(info.param == 2 ? "BeforeFirstSector"
                                                                : "AfterLastSector");
                         });

TEST_F(ExtractionTest, StopAskedRightAfterAFileWasMadeLeavesItEmpty)
{
    DiscOfSectors({0, 2, 4}, 6);
    window.Check(0, false);
    window.onProcessEvents = [] { Button1Click(); };
    EXPECT_EQ(Run(), "");
    ASSERT_TRUE(FileExists(Track(2)));
    EXPECT_EQ(ReadWholeFile(Track(2)), "");
    EXPECT_FALSE(FileExists(Track(3)));
    EXPECT_EQ(window.processEventsCalls, 1);
    EXPECT_EQ(window.Text(TextControl::Label7), "2曲目");
    EXPECT_EQ(window.Messages(), std::vector<std::string>{kFinished});
    ExpectEndedWithStopOff();
}

TEST_F(ExtractionTest, StopLeftFromAnEarlierRunIsCleared)
{
    DiscOfSectors({0}, 2);
    AbortRequested = true;
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(1), Sectors(0, 2));
}

class NothingToWriteTest : public ExtractionTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(NothingToWriteTest, RunStillEnablesAndDisablesStopAndFinishes)
{
    DiscOfSectors({0, 1}, 2);
    if (GetParam())
        window.CheckAll(false);
    else
        TrackCount = 0;
    EXPECT_EQ(Run(), "");
    EXPECT_EQ(window.Messages(), std::vector<std::string>{kFinished});
    ExpectEndedWithStopOff();
    EXPECT_EQ(window.processEventsCalls, 0);
    EXPECT_FALSE(FileExists(Track(1)));
    EXPECT_FALSE(FileExists(Track(2)));
}

INSTANTIATE_TEST_SUITE_P(Extraction, NothingToWriteTest, ::testing::Bool(), [](const auto &info) {
    return std::string(info.param ? "NothingTicked" : "EmptyTable");
});

TEST_F(ExtractionTest, TrackWithoutASongListItemIsSkipped)
{
    DiscOfSectors({0, 1}, 3);
    StoreTrackStart(SectorToDiscTime(2));
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(1), Sectors(0, 1));
    ExpectWav(Track(2), Sectors(1, 1));
    EXPECT_FALSE(FileExists(Track(3)));
}

struct BadEntryCase {
    const char *name;
    std::string entry;
    std::string field; // the field named by the error: frames are converted first
};

class BadEntryTest : public ExtractionTest, public ::testing::WithParamInterface<BadEntryCase>
{
};

TEST_P(BadEntryTest, ConversionErrorKeepsEarlierFilesAndLeavesTheCurrentOneEmpty)
{
    Disc({"00:00:00", "00:00:02", GetParam().entry, "00:00:06"}, 8 * kBytesPerSector);
    EXPECT_EQ(Run(), "'" + GetParam().field + "' は整数ではありません");
    ExpectWav(Track(1), Sectors(0, 2));
    ASSERT_TRUE(FileExists(Track(2)));
    EXPECT_EQ(ReadWholeFile(Track(2)), "");
    EXPECT_FALSE(FileExists(Track(3)));
    EXPECT_TRUE(window.Messages().empty());
    ExpectEndedWithStopOff();
}

INSTANTIATE_TEST_SUITE_P(Extraction, BadEntryTest,
                         ::testing::Values(BadEntryCase{"Seconds", "00:0a:00", "0a"},
                                           BadEntryCase{"FramesFirst", "0a:0b:0c", "0c"},
                                           BadEntryCase{"SecondsBeforeMinutes", "0a:0b:00", "0b"}),
                         [](const auto &info) { return std::string(info.param.name); });

// Full disks, file size limits, named pipes and images that shrink under the
// run, made the Linux way.
#ifndef _WIN32
TEST_F(ExtractionTest, FullDiskEndsTheRunWithItsErrorNotWithFinished)
{
    DiscOfSectors({0, 2}, 4);
    std::filesystem::create_symlink("/dev/full", Track(2));
    EXPECT_EQ(Run(), "ディスクがいっぱいです");
    ExpectWav(Track(1), Sectors(0, 2));
    EXPECT_TRUE(window.Messages().empty());
    ExpectEndedWithStopOff();
}

// A file size limit makes the kernel refuse the copy part-way through a track.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(ExtractionTest, WriteRefusedPartWayThroughATrackEndsTheRun)
{
    DiscOfSectors({0, 600}, 1200);
    std::string message;
    {
        FileSizeLimit limit(44 + 500 * kBytesPerSector);
        message = Run();
    }
    EXPECT_EQ(message, "ディスクがいっぱいです");
    EXPECT_FALSE(FileExists(Track(2)));
    EXPECT_TRUE(window.Messages().empty());
    ExpectEndedWithStopOff();
}

// The reading end of a named pipe, open before the run so that the run finds
// a reader, and large enough to hold what the run writes, so that the run
// never waits for the test.
class PipeReadEnd
{
public:
    explicit PipeReadEnd(const std::string &path)
    {
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        EXPECT_GE(::fcntl(fd_, F_SETPIPE_SZ, 1 << 20), 1 << 20);
    }
    ~PipeReadEnd() { ::close(fd_); }
    PipeReadEnd(const PipeReadEnd &) = delete;
    PipeReadEnd &operator=(const PipeReadEnd &) = delete;

    // What the pipe holds, once the writer has closed it.
    std::string Received() const
    {
        std::string bytes;
        char block[65536];
        for (ssize_t got; (got = ::read(fd_, block, sizeof block)) > 0;)
            bytes.append(block, static_cast<std::size_t>(got));
        return bytes;
    }

private:
    int fd_ = -1;
};

TEST_F(ExtractionTest, TrackFileThatIsNoRegularFileGetsTheSameBytes)
{
    // A named pipe cannot take splices from the image, so the bytes go
    // through memory instead; past the image's end they are still silence.
    Disc({"00:00:00", "00:00:30"}, 20 * kBytesPerSector + 5);
    window.Check(1, false);
    std::string received;
    {
        const PipeReadEnd pipe(Track(1));
        EXPECT_EQ(Run(), "");
        received = pipe.Received();
    }
    const std::string data = PatternBytes(kSeed, 0, 20 * kBytesPerSector + 5) +
                             std::string(10 * kBytesPerSector - 5, '\0');
    EXPECT_EQ(WavMismatch(received, ExpectedWavFile(data)), "");
}

TEST_F(ExtractionTest, NamedPipeThatNobodyReadsIsRefusedRatherThanWaitedOn)
{
    DiscOfSectors({0, 1}, 2);
    ASSERT_EQ(::mkfifo(Track(2).c_str(), 0600), 0);
    EXPECT_EQ(Run(), "ファイル " + Track(2) + " を作成できません");
    ExpectWav(Track(1), Sectors(0, 1));
    ExpectEndedWithStopOff();
}

TEST_F(ExtractionTest, ImageCutShortUnderTheRunEndsItWithTheReadError)
{
    // Silence stands only for bytes past the size the run started with.
    DiscOfSectors({0, 2, 4}, 6);
    window.onProcessEvents = [this] {
        if (window.Text(TextControl::Label7) == "2曲目")
            ::truncate(dir.File("disc.bin").c_str(), 3 * kBytesPerSector);
    };
    EXPECT_EQ(Run(), "ファイルの末尾以降を読み込みました");
    ExpectWav(Track(1), Sectors(0, 2));
    EXPECT_FALSE(FileExists(Track(3)));
    EXPECT_TRUE(window.Messages().empty());
    ExpectEndedWithStopOff();
}
#endif

TEST_F(ExtractionTest, ProgressEndsEachTrackAtItsLastSector)
{
    DiscOfSectors({0, 3}, 3 + 1);
    EXPECT_EQ(Run(), "");
    // Events are processed once the file is made, before the first sector and
    // after the last; a track this short needs no turn in between.
    EXPECT_EQ(window.progress, (std::vector<int>{100, 100}));
    EXPECT_EQ(window.processEventsCalls, 6);
}

TEST_F(ExtractionTest, LongTrackKeepsEveryByte)
{
    // Several copy steps, then a partial sector that is not copied.
    DiscOfSectors({0, 1}, 1 + 2345, 999);
    window.Check(0, false);
    std::vector<std::size_t> progressSeenAtEvents;
    window.onProcessEvents = [&] { progressSeenAtEvents.push_back(window.progress.size()); };
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(2), Sectors(1, 2345));
    // Nothing is shown before the first sector; whatever is shown while the
    // copy runs is short of 100 and never goes back.
    ASSERT_GE(progressSeenAtEvents.size(), 2u);
    EXPECT_EQ(progressSeenAtEvents[1], 0u);
    ASSERT_FALSE(window.progress.empty());
    EXPECT_EQ(window.progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(window.progress.begin(), window.progress.end()));
    EXPECT_EQ(std::count(window.progress.begin(), window.progress.end(), 100), 1);
}

TEST_F(ExtractionTest, ExistingFileIsReplaced)
{
    DiscOfSectors({0}, 1);
    testing::WriteWholeFile(Track(1), std::string(5 * kBytesPerSector, 'x'));
    EXPECT_EQ(Run(), "");
    ExpectWav(Track(1), Sectors(0, 1));
}

TEST_F(ExtractionTest, NamesAndStatusCarryTheTrackNumber)
{
    std::vector<std::int32_t> starts;
    for (int i = 0; i < 12; ++i)
        starts.push_back(i);
    DiscOfSectors(starts, 12);
    window.CheckAll(false);
    window.Check(4);
    window.Check(11);
    std::vector<std::string> status;
    window.onProcessEvents = [&] { status.push_back(window.Text(TextControl::Label7)); };
    EXPECT_EQ(Run(), "");
    ExpectWav(dir.File("cd05.wav"), Sectors(4, 1));
    ExpectWav(dir.File("cd12.wav"), Sectors(11, 1));
    EXPECT_EQ(status,
              (std::vector<std::string>{"5曲目", "5曲目", "5曲目", "12曲目", "12曲目", "12曲目"}));
}

TEST_F(ExtractionTest, PrefixAndFolderAreReadAfreshForEachTrack)
{
    DiscOfSectors({0, 1}, 2);
    std::filesystem::create_directory(dir.File("second"));
    window.onProcessEvents = [&] {
        window.SetText(TextControl::Label6, dir.File("second") + "/");
        window.SetText(TextControl::Edit1, "b");
    };
    EXPECT_EQ(Run(), "");
    ExpectWav(dir.File("cd01.wav"), Sectors(0, 1));
    ExpectWav(dir.File("second/b02.wav"), Sectors(1, 1));
}

TEST_F(ExtractionTest, TrackFileThatCannotBeCreatedEndsTheRun)
{
    DiscOfSectors({0, 1}, 2);
    window.SetText(TextControl::Label6, dir.File("missing/"));
    EXPECT_EQ(Run(), "ファイル " + dir.File("missing/cd01.wav") + " を作成できません");
    EXPECT_TRUE(window.Messages().empty());
    ExpectEndedWithStopOff();
}

TEST(WaveHeaders, AreLittleEndianWhateverTheHost)
{
    WaveFormatHeader format;
    format.riffSize = 0x01020304;
    DataChunkHeader data;
    data.dataSize = 0xA1B2C3D4;
    const auto f = format.Bytes();
    const auto d = data.Bytes();
    EXPECT_EQ(std::string(f.begin(), f.begin() + 8), std::string("RIFF\x04\x03\x02\x01", 8));
    EXPECT_EQ(std::string(d.begin(), d.end()), std::string("data\xD4\xC3\xB2\xA1", 8));
}

} // namespace
} // namespace vorsa
