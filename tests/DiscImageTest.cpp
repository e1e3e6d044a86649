// Images that are WAV files, loaded through a cue sheet that names them as
// rippers write it and extracted: a CD's sound is read from its data chunk
// on, byte for byte, both for the song list's lengths and for the tracks;
// a WAV of other sound is refused on load and by a run; a RIFF file of
// another form stays a raw image.
#include "DiscReaders.h"
#include "Extraction.h"
#include "Messages.h"
#include "ReaderTestSupport.h"
#include "WavExpectation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorsa::testing
{
namespace
{

using vorsa::testing::PrintTo;

// Two tracks at 00:00:00 and 00:01:00. Four bytes short of two seconds,
// the sound lasts one whole second and the second track 74 whole sectors:
// a size taken from the whole file, or from a data size past its end,
// gives another caption and another sector.
constexpr std::int64_t kTrack2Sector = 75;
constexpr std::int64_t kSoundBytes = 150 * kSectorBytes - 4;
const std::vector<std::string> kCaptions{"001 / 00 : 01", "002 / 00 : 00"};

const std::string kNotCdWav(messages::kNotCdWav);
const std::string kFinished(messages::kFinished);

const std::string kSound = PatternBytes(PatternSeed("sound"), 0, kSoundBytes);
const std::string kData = WavChunk("data", kSound);

std::string Format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits)
{
    return WavChunk("fmt ", WavFormat(channels, rate, bits));
}

enum class Reading { Sound, Refused, Raw };

struct WavRow {
    const char *name;
    std::string file;
    Reading reading;
};

class WavImageTest : public ReaderTableTest<WavRow>
{
protected:
    void Extract()
    {
        window.SetText(TextControl::Edit1, "t");
        window.SetText(TextControl::Label6, dir.Folder());
        window.CheckAll();
        ExtractCheckedTracks(window);
    }
};

TEST_P(WavImageTest, ReadsTheSoundOfCdWavsOnly)
{
    const std::string &file = GetParam().file;
    const std::string image = dir.Write("Artist - Album.wav", file);
    const std::string sheet = dir.Write("Artist - Album.cue", "FILE \"Artist - Album.wav\" WAVE\r\n"
                                                              "  TRACK 01 AUDIO\r\n"
                                                              "    INDEX 01 00:00:00\r\n"
                                                              "  TRACK 02 AUDIO\r\n"
                                                              "    INDEX 01 00:01:00\r\n");

    if (GetParam().reading == Reading::Refused) {
        EXPECT_EQ(LoadControlFile(window, sheet), LoadResult::Refused);
        EXPECT_EQ(window.Messages(), std::vector<std::string>{kNotCdWav});
        EXPECT_EQ(window.Text(TextControl::Label1), "");
        EXPECT_EQ(window.Text(TextControl::Label2), "");
        EXPECT_TRUE(window.Captions().empty());

        // As if the image had been replaced after a load.
        window.SetText(TextControl::Label1, sheet);
        window.SetText(TextControl::Label2, image);
        window.AddSongListItem("001");
        window.AddSongListItem("002");
        Extract();
        EXPECT_EQ(window.Messages(), (std::vector<std::string>{kNotCdWav, kNotCdWav}));
        EXPECT_FALSE(FileExists(dir.File("t01.wav")));
        EXPECT_TRUE(window.stopEnabledLog.empty());
        return;
    }

    const std::string expected = GetParam().reading == Reading::Raw ? file : kSound;
    ASSERT_EQ(LoadControlFile(window, sheet), LoadResult::Loaded);
    EXPECT_EQ(window.Captions(), kCaptions);
    Extract();
    EXPECT_EQ(window.Messages(), std::vector<std::string>{kFinished});
    const std::int64_t split = kTrack2Sector * kSectorBytes;
    EXPECT_EQ(WavMismatch(dir.Read("t01.wav"), ExpectedWavFile(expected.substr(0, split))), "");
    EXPECT_EQ(WavMismatch(dir.Read("t02.wav"),
                          ExpectedWavFile(expected.substr(split, 74 * kSectorBytes))),
              "");
}

INSTANTIATE_TEST_SUITE_P(
    Images, WavImageTest,
    ::testing::Values(
        WavRow{"Header44", WavImage(Format(2, 44100, 16) + kData), Reading::Sound},
        // Its pad byte takes the sound off a multiple of four as well.
        WavRow{"OddListChunkBeforeData",
               WavImage(Format(2, 44100, 16) + WavChunk("LIST", "INFOx") + kData), Reading::Sound},
        // The chunk after the data is more than a sector: not sound.
        WavRow{"ExtensiblePcmWithChunkAfterData",
               WavImage(WavChunk("fmt ", WavFormat(2, 44100, 16, true)) + kData +
                        WavChunk("LIST", std::string(3000, 'x'))),
               Reading::Sound},
        WavRow{"DataSizePastTheEnd",
               WavImage(Format(2, 44100, 16) +
                        WavChunk("data", kSound, kSoundBytes + 3 * kSectorBytes)),
               Reading::Sound},
        WavRow{"48000Hz", WavImage(Format(2, 48000, 16) + kData), Reading::Refused},
        WavRow{"Mono", WavImage(Format(1, 44100, 16) + kData), Reading::Refused},
        WavRow{"24Bit", WavImage(Format(2, 44100, 24) + kData), Reading::Refused},
        WavRow{"NoDataChunk", WavImage(Format(2, 44100, 16) + WavChunk("LIST", kSound)),
               Reading::Refused},
        // Read whole from its first byte, of the same size as the sound.
        WavRow{"RiffThatIsNotWave", "RIFF" + kSound.substr(4, 4) + "AVI " + kSound.substr(12),
               Reading::Raw}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace vorsa::testing
