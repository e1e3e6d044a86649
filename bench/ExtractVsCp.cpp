// Times the extraction of a full 74-minute disc of 18 tracks, run through the
// window's own event processing on Qt's offscreen platform, against `cp` of
// the same image into the same folder (and `bchunk -w` when installed), in
// alternating pairs, every run from the same untimed state, and prints min,
// median and max of each side and of the ratios.
#include "Application.h"
#include "Dialogs.h"
#include "DiscFormat.h"
#include "NumberText.h"
#include "TrackTable.h"
#include "Unit1.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kTracks = 18;
constexpr std::int32_t kDiscSectors = 74 * 60 * vorsa::kFramesPerSecond; // 333000
constexpr int kPairs = 9;
const std::string kPrefix = "track";

// Removes the folder and all in it when the run ends, however it ends.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "vorsa-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        path_ = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;
    const fs::path &Path() const { return path_; }

private:
    fs::path path_;
};

// Audio-like bytes that no file system can shortcut: a xorshift stream.
void WriteImage(const fs::path &path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<std::uint64_t> block(std::size_t{1} << 17); // 1 MiB
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    std::int64_t left = std::int64_t{kDiscSectors} * vorsa::kBytesPerSector;
    while (left > 0) {
        for (auto &word : block) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        const auto bytes = std::min<std::int64_t>(left, std::ssize(block) * 8);
        out.write(reinterpret_cast<const char *>(block.data()), bytes);
        left -= bytes;
    }
    if (!out.flush())
        throw std::runtime_error("cannot write the image");
}

// 18 tracks of unequal length, as on a real album, filling the disc.
std::vector<std::int32_t> TrackStartSectors()
{
    std::vector<std::int32_t> starts;
    const std::int32_t average = kDiscSectors / kTracks;
    std::int32_t at = 0;
    for (int i = 0; i < kTracks; ++i) {
        starts.push_back(at);
        at += average + ((i % 3) - 1) * 1500;
    }
    return starts;
}

void WriteCueSheet(const fs::path &path, const std::string &imageName,
                   const std::vector<std::int32_t> &starts)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "FILE \"" << imageName << "\" BINARY\r\n";
    for (std::size_t i = 0; i < starts.size(); ++i) {
        out << "  TRACK " << vorsa::FormatPadded(static_cast<std::int32_t>(i + 1), 2)
            << " AUDIO\r\n    INDEX 01 " << vorsa::SectorToDiscTime(starts[i]) << "\r\n";
    }
}

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

// Runs a program with its output silenced; returns its wall time.
double TimeProgram(const std::vector<std::string> &argv)
{
    std::vector<char *> args;
    for (const auto &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const auto started = Clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, args[0], &actions, nullptr, args.data(), environ) != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    const auto took = Clock::now() - started;
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(argv[0] + " failed");
    return Seconds(took);
}

bool OnPath(const std::string &program)
{
    const char *path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    std::size_t from = 0;
    while (from <= dirs.size()) {
        const std::size_t to = std::min(dirs.find(':', from), dirs.size());
        if (::access((dirs.substr(from, to - from) + "/" + program).c_str(), X_OK) == 0)
            return true;
        from = to + 1;
    }
    return false;
}

// Untimed, before every timed run of every side: no file of the run before
// (whose 780 MB would otherwise still be written back while this one is
// timed, charging the second of a pair for the first), nothing dirty, and
// the image read once, so that each side reads it from memory alike.
void Settle(const fs::path &folder, const fs::path &image)
{
    for (const auto &entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(kPrefix) || name.starts_with("copy") || name.starts_with("bchunk"))
            fs::remove(entry.path());
    }
    ::sync();
    std::ifstream in(image, std::ios::binary);
    std::vector<char> block(std::size_t{1} << 20);
    while (in.read(block.data(), std::ssize(block)) || in.gcount() > 0) {
    }
}

// Checks every track file against the image once, so the times are of right work.
void VerifyTracks(const fs::path &folder, const fs::path &image,
                  const std::vector<std::int32_t> &starts)
{
    std::ifstream source(image, std::ios::binary);
    for (int n = 1; n <= kTracks; ++n) {
        const std::int64_t end = n == kTracks ? kDiscSectors : starts[std::size_t(n)];
        const std::int64_t bytes = (end - starts[std::size_t(n - 1)]) * vorsa::kBytesPerSector;
        const std::string name = kPrefix + vorsa::FormatPadded(n, 2) + ".wav";
        std::ifstream track(folder / name, std::ios::binary);
        const auto size = static_cast<std::size_t>(bytes);
        std::vector<char> header(44), expected(size), got(size + 1);
        track.read(header.data(), 44);
        track.read(got.data(), std::ssize(got));
        source.read(expected.data(), bytes);
        if (track.gcount() != bytes || !std::equal(expected.begin(), expected.end(), got.begin()))
            throw std::runtime_error("wrong bytes in " + name);
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void PrintSpread(const char *what, const std::vector<double> &values, int decimals)
{
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    std::printf("%-28s min %.*f  median %.*f  max %.*f\n", what, decimals, *least, decimals,
                Median(values), decimals, *most);
}

std::vector<double> Ratios(const std::vector<double> &over, const std::vector<double> &under)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < over.size(); ++i)
        ratios.push_back(over[i] / under[i]);
    return ratios;
}

int Run(int argc, char **argv)
{
    vorsa::ui::Application app(argc, argv);
    ScratchFolder scratch;
    const fs::path folder = scratch.Path();
    const fs::path image = folder / "disc.bin";
    const fs::path cue = folder / "disc.cue";
    const auto starts = TrackStartSectors();
    WriteImage(image);
    WriteCueSheet(cue, "disc.bin", starts);
    std::printf("image: %s, %lld bytes, %d tracks\n", image.c_str(),
                static_cast<long long>(fs::file_size(image)), kTracks);

    // The window as the user has it: shown, loaded through the open button,
    // everything ticked, a prefix typed and a folder chosen; its message boxes
    // are answered at once.
    std::vector<std::string> messages;
    vorsa::ui::SetMessageHook([&](const QString &, const QString &text, bool) {
        messages.push_back(text.toStdString());
    });
    vorsa::ui::SetOpenFileHook(
        [&](const QString &, const QString &) { return QString::fromStdString(cue.string()); });
    TForm1 window;
    window.show();
    QCoreApplication::processEvents();
    // The handlers by their names, as the buttons' signals run them.
    const auto click = [&window](const char *handler) {
        QMetaObject::invokeMethod(&window, handler, Qt::DirectConnection);
    };
    click("ToolButton1Click");
    click("ToolButton3Click");
    window.SetText(vorsa::TextControl::Edit1, kPrefix);
    window.SetText(vorsa::TextControl::Label6, folder.string() + "/");
    if (window.SongListCount() != kTracks || !messages.empty())
        throw std::runtime_error("the cue sheet did not load");

    const auto extract = [&] {
        messages.clear();
        const auto started = Clock::now();
        click("ToolButton2Click");
        const double took = Seconds(Clock::now() - started);
        if (messages != std::vector<std::string>{"終わりました"})
            throw std::runtime_error("the extraction did not finish");
        return took;
    };
    const auto cp = [&] {
        return TimeProgram({"cp", image.string(), (folder / "copy.bin").string()});
    };
    const auto bchunk = [&] {
        return TimeProgram(
            {"bchunk", "-w", image.string(), cue.string(), (folder / "bchunk").string()});
    };

    // One run first, untimed, that pays for what only a first run pays (the
    // fonts of the status line, the buffer's pages) and is checked byte for byte.
    Settle(folder, image);
    extract();
    VerifyTracks(folder, image, starts);

    const bool withBchunk = OnPath("bchunk");
    std::vector<double> extractions, cps, bchunks;
    for (int pair = 1; pair <= kPairs; ++pair) {
        // Odd pairs run the baselines first, even pairs the extraction
        // first, so that no side always comes right after another.
        const auto baselines = [&] {
            Settle(folder, image);
            cps.push_back(cp());
            if (withBchunk) {
                Settle(folder, image);
                bchunks.push_back(bchunk());
            }
        };
        if (pair % 2 == 1)
            baselines();
        Settle(folder, image);
        extractions.push_back(extract());
        if (pair % 2 == 0)
            baselines();

        std::printf("pair %d: extraction %.3f s, cp %.3f s", pair, extractions.back(), cps.back());
        if (withBchunk)
            std::printf(", bchunk %.3f s", bchunks.back());
        std::printf(", extraction/cp %.3f\n", extractions.back() / cps.back());
        std::fflush(stdout);
    }
    PrintSpread("extraction (s)", extractions, 3);
    PrintSpread("cp (s)", cps, 3);
    if (withBchunk)
        PrintSpread("bchunk (s)", bchunks, 3);
    const std::vector<double> toCp = Ratios(extractions, cps);
    PrintSpread("extraction/cp", toCp, 2);
    if (withBchunk)
        PrintSpread("extraction/bchunk", Ratios(extractions, bchunks), 2);
    // The line that the README's figures come from, last as it always was.
    std::printf("median ratio extraction/cp: %.2f\n", Median(toCp));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    try {
        return Run(argc, argv);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "extract-vs-cp: %s\n", error.what());
        return 1;
    }
}
