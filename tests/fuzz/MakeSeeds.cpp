// Writes the seed corpora of the fuzz targets from generated discs, and the
// dictionaries of the two readers' targets from the discs' words:
//   fuzz_seeds tests/fuzz   (corpus/fuzz_*/seed-*, fuzz_cue.dict, fuzz_ccd.dict)
#include "DiscBuilder.h"
#include "DiscCase.h"
#include "DiscFormat.h"
#include "TempDir.h"

#include <cstdio>
#include <filesystem>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

using namespace vorsa;
using namespace vorsa::testing;

struct Click {
    std::uint8_t action = 0; // 0 none, 1 stop, 2 reload, 3 reload then stop
    std::uint8_t turn = 0;
    std::uint8_t reloadShare = 0;
};

std::string DiscInput(std::int64_t imageBytes, std::uint8_t ticks, Click click,
                      const std::string &description)
{
    std::string input;
    for (int i = 0; i < 3; ++i)
        input += static_cast<char>(imageBytes >> (8 * i) & 0xFF);
    input += static_cast<char>(ticks);
    input += static_cast<char>(click.action | click.turn << 2);
    input += static_cast<char>(click.reloadShare);
    return input + description;
}

std::vector<std::int32_t> Starts(const std::vector<std::int32_t> &lengths)
{
    std::vector<std::int32_t> starts;
    std::int32_t at = 0;
    for (std::int32_t length : lengths) {
        starts.push_back(at);
        at += length;
    }
    return starts;
}

std::int64_t Bytes(const std::vector<std::int32_t> &lengths, int tail = 0)
{
    return static_cast<std::int64_t>(std::accumulate(lengths.begin(), lengths.end(), 0)) *
               kBytesPerSector +
           tail;
}

// One target's seed files, and the words of its descriptions for the
// dictionary: every blank-separated word, and each key up to its "=".
class Corpus
{
public:
    Corpus(const std::string &root, const std::string &target)
        : folder_(root + "/corpus/" + target), dictionary_(root + "/" + target + ".dict")
    {
        std::filesystem::create_directories(folder_);
    }
    ~Corpus()
    {
        if (words_.empty())
            return;
        std::string text = "# Words of the generated seed discs (written by fuzz_seeds).\n";
        for (const std::string &word : words_)
            text += Quoted(word) + "\n";
        WriteWholeFile(dictionary_, text);
    }
    Corpus(const Corpus &) = delete;
    Corpus &operator=(const Corpus &) = delete;

    void Add(const std::string &name, const std::string &bytes) const
    {
        WriteWholeFile(folder_ + "/seed-" + name, bytes);
    }
    void AddWords(const std::string &description)
    {
        words_.insert({"\r\n", "\n", "\x1a", "\"", "=", ":", "$", "0x", "-"});
        std::istringstream lines(description);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream words(line);
            for (std::string word; words >> word;) {
                words_.insert(word);
                if (const std::size_t equals = word.find('='); equals != std::string::npos)
                    words_.insert(word.substr(0, equals + 1));
            }
        }
    }

private:
    static std::string Quoted(const std::string &word)
    {
        std::string quoted = "\"";
        for (const char c : word) {
            const auto byte = static_cast<unsigned char>(c);
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            quoted +=
                byte < 0x20 || byte >= 0x7f || c == '"' || c == '\\' ? escaped : std::string(1, c);
        }
        return quoted + "\"";
    }

    std::string folder_;
    std::string dictionary_;
    std::set<std::string> words_;
};

void CueSeeds(Corpus &&corpus)
{
    const std::vector<std::int32_t> three = {10, 20, 15};
    const std::vector<std::int32_t> many(99, 1);
    const std::vector<std::int32_t> tooMany(100, 1);
    const std::int64_t size = Bytes(three, 100);
    for (const std::string &text :
         {CueSheetText(Starts(three)), CueSheetText({0, 4500, 9000, 329999}, "Track 1.wav"),
          std::string("TRACK 01 MODE1/2352\nINDEX 00 00:00:00\n"
                      "FILE \"x.wav\" WAVE\nPREGAP 00:02:00\nREM\n")})
        corpus.AddWords(text);
    corpus.Add("three-tracks", DiscInput(size, 0xFF, {}, CueSheetText(Starts(three))));
    corpus.Add("three-tracks-lf",
               DiscInput(size, 0x05, {}, CueSheetText(Starts(three), "disc.bin", "\n")));
    corpus.Add("stop", DiscInput(size, 0xFF, {1, 1, 0}, CueSheetText(Starts(three))));
    corpus.Add("reload-shorter", DiscInput(size, 0xFF, {2, 1, 160}, CueSheetText(Starts(three))));
    corpus.Add("reload-then-stop", DiscInput(size, 0xFF, {3, 2, 40}, CueSheetText(Starts(three))));
    corpus.Add("one-track", DiscInput(Bytes({30}), 0x01, {}, CueSheetText({0})));
    corpus.Add("ninety-nine", DiscInput(Bytes(many), 0xFF, {}, CueSheetText(Starts(many))));
    corpus.Add("hundred", DiscInput(Bytes(tooMany), 0xAA, {}, CueSheetText(Starts(tooMany))));
    corpus.Add("past-image", DiscInput(Bytes({5}), 0xFF, {}, CueSheetText({0, 3, 9})));
    corpus.Add("image-short-of-second", DiscInput(1000, 0xFF, {}, CueSheetText({0, 1})));
    corpus.Add("other-extension",
               DiscInput(size, 0xFF, {}, CueSheetText(Starts(three), "disc.img")));
    corpus.Add(
        "not-audio",
        DiscInput(
            size, 0xFF, {},
            "FILE \"disc.bin\" BINARY\r\n  TRACK 01 MODE1/2352\r\n    INDEX 01 00:00:00\r\n"));
    corpus.Add("lower-case",
               DiscInput(size, 0xFF, {},
                         "file \"disc.bin\" binary\n  track 01 audio\n    index 01 00:00:00\n"));
    corpus.Add(
        "pregap",
        DiscInput(size, 0xFF, {},
                  "FILE \"disc.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n  "
                  "TRACK 02 AUDIO\r\n    INDEX 00 00:00:08\r\n    INDEX 01 00:00:10\r\n"));
    corpus.Add(
        "shift-jis-name",
        DiscInput(
            size, 0xFF, {},
            "FILE \"\x95\x5C\x8E\x86.bin\" BINARY\r\nTRACK 01 AUDIO\r\nINDEX 01 00:00:00\r\n"));
    corpus.Add("hex-fields", DiscInput(size, 0xFF, {},
                                       "FILE \"disc.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 "
                                       "00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:$1:x5\n"));
    corpus.Add("bad-field", DiscInput(size, 0xFF, {},
                                      "FILE \"disc.bin\" BINARY\nTRACK 01 AUDIO\nINDEX 01 "
                                      "00:00:00\nTRACK 02 AUDIO\nINDEX 01 0a:00:10\n"));
    corpus.Add("empty", DiscInput(size, 0xFF, {}, ""));
    corpus.Add("end-of-text",
               DiscInput(size, 0xFF, {}, CueSheetText(Starts(three)).insert(60, "\x1a")));
}

void CcdSeeds(Corpus &&corpus)
{
    const std::vector<std::int32_t> three = {10, 20, 15};
    const std::vector<std::int32_t> many(99, 1);
    const std::int64_t size = Bytes(three, 7);
    corpus.AddWords(CcdTextForTracks({{0, 1, 1}, {4500, 0, 1}, {9000, 2, 2}}));
    corpus.Add("three-tracks", DiscInput(size, 0xFF, {}, CcdText(Starts(three))));
    corpus.Add("three-tracks-lf", DiscInput(size, 0x06, {}, CcdText(Starts(three), "\n")));
    corpus.Add("stop", DiscInput(size, 0xFF, {1, 0, 0}, CcdText(Starts(three))));
    corpus.Add("reload-shorter", DiscInput(size, 0xFF, {2, 1, 200}, CcdText(Starts(three))));
    corpus.Add("reload-then-stop", DiscInput(size, 0xFF, {3, 3, 90}, CcdText(Starts(three))));
    corpus.Add("ninety-nine", DiscInput(Bytes(many), 0xFF, {}, CcdText(Starts(many))));
    corpus.Add("past-image", DiscInput(Bytes({4}), 0xFF, {}, CcdText({0, 2, 8})));
    corpus.Add("data-only", DiscInput(size, 0xFF, {}, CcdTextForTracks({{0, 1, 1}})));
    corpus.Add("mixed-mode",
               DiscInput(size, 0xFF, {}, CcdTextForTracks({{0, 1, 1}, {20, 0, 1}, {30, 0, 1}})));
    corpus.Add("two-sessions",
               DiscInput(size, 0xFF, {}, CcdTextForTracks({{0, 0, 1}, {20, 0, 2}})));
    corpus.Add("empty", DiscInput(size, 0xFF, {}, ""));
    corpus.Add("negative-start", DiscInput(size, 0xFF, {}, CcdText({0, -5})));
    corpus.Add("end-of-text", DiscInput(size, 0xFF, {}, CcdText(Starts(three)).insert(90, "\x1a")));
}

// Header: code page and delimiter bits, two counts, digits, a number.
std::string TextInput(std::uint8_t flags, std::int8_t n, std::int8_t p, std::uint8_t digits,
                      std::int32_t number, const std::string &text)
{
    std::string input = {static_cast<char>(flags), static_cast<char>(n), static_cast<char>(p),
                         static_cast<char>(digits)};
    for (int i = 0; i < 4; ++i)
        input += static_cast<char>(static_cast<std::uint32_t>(number) >> (8 * i) & 0xFF);
    return input + text;
}

void TextSeeds(Corpus &&corpus)
{
    corpus.Add("cue-path", TextInput(0, 3, 2, 2, 7, "/home/user/ディスク/disc.cue"));
    corpus.Add("windows-path-sjis", TextInput(3, 4, 1, 3, 12, "C:\\CD\\\x95\x5C\x8E\x86.cue"));
    corpus.Add("sjis-lead-at-end", TextInput(1, 1, -1, 0, 0, "ab\x81"));
    corpus.Add("utf8-broken", TextInput(0, 2, 2, 0, 0, "\xE3\x81\xC3\x28\xF4\x90\x80\x80.bin"));
    corpus.Add("index-line", TextInput(0, 8, 1, 2, -1, "    INDEX 01 03:25:40"));
    corpus.Add("hex-number", TextInput(0, 0, 0, 10, INT32_MIN, "  -0x80000000"));
    corpus.Add("dollar-number", TextInput(0, 0, 0, 5, INT32_MAX, "$7FFFFFFF"));
    corpus.Add("blank-number", TextInput(0, 0, 0, 1, 0, "   "));
    corpus.Add("lines", TextInput(0, 1, 1, 0, 5, "a\r\nb\rc\n\nlast"));
    corpus.Add("end-of-text", TextInput(0, 1, 1, 0, 5, "TRACK 01\r\n\x1aINDEX"));
    corpus.Add("long-line", TextInput(1, 100, 50, 47, -99, std::string(70000, '\x81') + "\n."));
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <tests/fuzz folder>\n");
        return 2;
    }
    CueSeeds(Corpus(argv[1], "fuzz_cue"));
    CcdSeeds(Corpus(argv[1], "fuzz_ccd"));
    TextSeeds(Corpus(argv[1], "fuzz_text"));
    return 0;
}
