// The window's behaviours, written once and run on each toolkit's window
// through its driver: load, refusals, the drop's rules, the named file,
// folder change, tick all and untick all, the preconditions, a run, a stop,
// and what a run refuses or puts off.
#include "WindowDriver.h"

#include "DiscBuilder.h"
#include "Extraction.h"
#include "Messages.h"
#include "TempDir.h"
#include "WavExpectation.h"
#include "platform/SystemText.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vorsa::testing
{
namespace
{

constexpr char kCaption[] = "test_window_behaviour";

std::string Utf8(const std::string &narrow)
{
    return platform::ToUtf8(narrow);
}

std::vector<std::string> Texts(const std::vector<ShownMessage> &messages)
{
    std::vector<std::string> texts;
    for (const ShownMessage &message : messages)
        texts.push_back(message.text);
    return texts;
}

// A path named in the process's code page.
std::filesystem::path PathOf(const std::string &narrow)
{
    const std::string utf8 = platform::ToUtf8(narrow);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

void MakeFolder(const std::string &narrowPath)
{
    std::filesystem::create_directory(PathOf(narrowPath));
}

// A track file judged against the shared expectation: the header, then
// `disc`'s sectors from `first` on.
void ExpectTrackFile(const std::string &path, const GeneratedDisc &disc, std::int64_t first,
                     std::int64_t sectors)
{
    ASSERT_TRUE(FileExists(path)) << path;
    EXPECT_EQ(WavMismatch(ReadWholeFile(path), ExpectedTrackFile(disc, first, sectors)), "")
        << path;
}

class WindowBehaviour : public ::testing::Test
{
protected:
    void SetUp() override
    {
#ifdef VORSA_CODE_PAGE
        // A build for a code page tests nothing of it in another.
        ASSERT_EQ(platform::NarrowCodePageNumber(), static_cast<unsigned>(VORSA_CODE_PAGE));
#endif
        savedFolder_ = std::filesystem::current_path();
        Restart();
        AbortRequested = false;
    }
    void TearDown() override
    {
        window_.reset();
        std::filesystem::current_path(savedFolder_);
    }

    // A window of its own for a row, as the program starts it; the one
    // before goes first, taking its dialog answers with it.
    void Restart()
    {
        window_.reset();
        window_ = MakeWindowDriver();
    }

    std::string Out(std::string_view name) const
    {
        return dir_.File("out") + kPathDelimiter + std::string(name);
    }

    // A three-track disc (2, 4 and 1 seconds, and a part sector) loaded.
    GeneratedDisc LoadDisc(std::string_view base = "album", bool ccd = false)
    {
        const std::vector<std::int32_t> lengths{150, 300, 75};
        GeneratedDisc disc =
            ccd ? WriteCcdDisc(dir_, base, lengths, 1000) : WriteCueDisc(dir_, base, lengths, 1000);
        window_->Open(disc.descriptionPath);
        return disc;
    }

    // The disc loaded, every track ticked, prefix "cd", destination the
    // folder "out" opened in the folder list.
    GeneratedDisc PrepareRun(bool ccd = false)
    {
        GeneratedDisc disc = LoadDisc("album", ccd);
        window_->TickAll();
        window_->SetPrefix("cd");
        MakeFolder(dir_.File("out"));
        window_->ShowFolder(dir_.Path());
        window_->OpenFolderEntry(dir_.File("out"));
        return disc;
    }

    TempDir dir_;
    std::unique_ptr<WindowDriver> window_;

private:
    std::filesystem::path savedFolder_;
};

TEST_F(WindowBehaviour, StartsEmptyWithStopDisabled)
{
    for (const TextControl control : {TextControl::Label1, TextControl::Label2, TextControl::Label6,
                                      TextControl::Label7, TextControl::Edit1})
        EXPECT_EQ(window_->Text(control), "");
    EXPECT_TRUE(window_->Captions().empty());
    EXPECT_EQ(window_->Progress(), 0);
    EXPECT_FALSE(window_->StopEnabled());
    EXPECT_TRUE(window_->OpenEnabled());
    EXPECT_TRUE(window_->ExtractEnabled());
}

TEST_F(WindowBehaviour, OpenLoadsChosenFileAndCancelChangesNothing)
{
    const GeneratedDisc disc = LoadDisc();
    EXPECT_EQ(window_->Text(TextControl::Label1), disc.descriptionPath);
    EXPECT_EQ(window_->Text(TextControl::Label2), disc.imagePath);
    EXPECT_EQ(window_->Captions(),
              (std::vector<std::string>{"001 / 00 : 02", "002 / 00 : 04", "003 / 00 : 01"}));
    EXPECT_EQ(window_->Ticks(), (std::vector<bool>{false, false, false}));

    window_->Open(std::nullopt);
    EXPECT_EQ(window_->Text(TextControl::Label1), disc.descriptionPath);
    EXPECT_EQ(window_->Captions().size(), 3u);
    // The name field starts with the last choice.
    EXPECT_EQ(window_->openInitialNames, (std::vector<std::string>{"", disc.descriptionPath}));
    EXPECT_EQ(window_->openFilters.front(), "ccd,cueファイル(*.cue,*.ccd)");
    EXPECT_TRUE(window_->messages.empty());
}

// No extension test on the open path: a name that does not end in "cue"
// goes to the .ccd reader, which finds no audio track in a cue sheet and
// refuses the file.
TEST_F(WindowBehaviour, OpenSendsOtherNamesToCcdReaderWhichRefusesCueSheet)
{
    LoadDisc();
    const std::string sheet = dir_.Write("sheet.txt", CueSheetText({0, 150}, "album.bin"));
    window_->Open(sheet);
    ASSERT_EQ(window_->messages.size(), 1u);
    EXPECT_EQ(window_->messages[0].text, "音楽CDではありません");
    EXPECT_FALSE(window_->messages[0].error);
    EXPECT_EQ(window_->messages[0].caption, kCaption);
    EXPECT_EQ(window_->Text(TextControl::Label1), "");
    EXPECT_EQ(window_->Text(TextControl::Label2), "");
    EXPECT_TRUE(window_->Captions().empty());
}

// A ripper's WAV image of other sound than a CD's: refused as the readers
// refuse their files, the disc loaded before gone from the window.
TEST_F(WindowBehaviour, OpenRefusesWavImageOfOtherSound)
{
    LoadDisc();
    dir_.Write("rip.wav", WavImage(WavChunk("fmt ", WavFormat(2, 48000, 16)) +
                                   WavChunk("data", std::string(9600, 'x'))));
    window_->Open(dir_.Write("rip.cue", CueSheetText({0}, "rip.wav")));
    EXPECT_EQ(Texts(window_->messages),
              std::vector<std::string>{"音楽CDのWAVファイルではありません"});
    EXPECT_EQ(window_->Text(TextControl::Label1), "");
    EXPECT_EQ(window_->Text(TextControl::Label2), "");
    EXPECT_TRUE(window_->Captions().empty());
}

// Windows names files without regard to case, and older discs carry
// upper-case names: DISC.CUE is a cue sheet on each way in.
TEST_F(WindowBehaviour, UpperCaseCueLoadsWhenOpenedDroppedOrNamed)
{
    const std::string sheet = dir_.Write("DISC.CUE", CueSheetText({0, 150}, "disc.bin"));
    WritePatternImage(dir_.File("DISC.bin"), 225 * kSectorBytes);
    const std::pair<const char *, std::function<void()>> ways[] = {
        {"open", [&] { window_->Open(sheet); }},
        {"drop", [&] { EXPECT_TRUE(window_->Drop({sheet})); }},
        {"command line", [&] { window_->LoadNamed(sheet); }},
    };
    for (const auto &[way, load] : ways) {
        SCOPED_TRACE(way);
        Restart();
        load();
        EXPECT_EQ(window_->Text(TextControl::Label1), sheet);
        EXPECT_EQ(window_->Text(TextControl::Label2), dir_.File("DISC.bin"));
        EXPECT_EQ(window_->Captions(),
                  (std::vector<std::string>{"001 / 00 : 02", "002 / 00 : 01"}));
        EXPECT_TRUE(window_->messages.empty());
    }
}

// A file that cannot be opened: the default exception display shows it,
// and the window goes on working.
TEST_F(WindowBehaviour, OpenMissingFileShowsErrorAndWindowGoesOn)
{
    const GeneratedDisc first = LoadDisc();
    const std::string missing = dir_.File("gone.cue");
    window_->Open(missing);
    ASSERT_EQ(window_->messages.size(), 1u);
    EXPECT_TRUE(window_->messages[0].error);
    EXPECT_EQ(window_->messages[0].caption, kCaption);
    EXPECT_EQ(window_->messages[0].text, "ファイルが見つかりません.");
    EXPECT_EQ(window_->Text(TextControl::Label1), missing);
    EXPECT_EQ(window_->Text(TextControl::Label2), "");
    EXPECT_TRUE(window_->Captions().empty());

    window_->Open(first.descriptionPath);
    EXPECT_EQ(window_->Captions().size(), 3u);
}

// The reader is chosen by the dropped name's last three characters, with
// no dot needed; any other name changes nothing.
TEST_F(WindowBehaviour, DropChoosesReaderByLastThreeCharacters)
{
    struct Row {
        const char *name;
        bool ccd;          // what the file holds
        const char *image; // the image that its reader looks for
        bool accepted;     // read, rather than refused silently
    };
    const Row rows[] = {
        {"drop.cue", false, "drop.bin", true},
        {"drop.ccd", true, "drop.img", true},
        {"rescue", false, "rescue.bin", true},
        {"notes.txt", false, "notes.bin", false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const GeneratedDisc before = LoadDisc("before");
        // One track, so that a load shows in the song list.
        const std::string dropped =
            dir_.Write(row.name, row.ccd ? CcdText({0}) : CueSheetText({0}, "x.bin"));
        WritePatternImage(dir_.File(row.image), 75 * kSectorBytes);
        EXPECT_TRUE(window_->Drop({dropped}));
        if (row.accepted) {
            EXPECT_EQ(window_->Text(TextControl::Label1), dropped);
            EXPECT_EQ(window_->Text(TextControl::Label2), dir_.File(row.image));
            EXPECT_EQ(window_->Captions(), std::vector<std::string>{"001 / 00 : 01"});
        } else {
            EXPECT_EQ(window_->Text(TextControl::Label1), before.descriptionPath);
            EXPECT_EQ(window_->Captions().size(), 3u);
        }
        EXPECT_TRUE(window_->messages.empty());
    }
}

TEST_F(WindowBehaviour, DropTakesOnlyTheFirstFile)
{
    const GeneratedDisc first = WriteCueDisc(dir_, "first", {75});
    const GeneratedDisc second = WriteCueDisc(dir_, "second", {75, 75});
    EXPECT_TRUE(window_->Drop({first.descriptionPath, second.descriptionPath}));
    EXPECT_EQ(window_->Text(TextControl::Label1), first.descriptionPath);
    EXPECT_EQ(window_->Captions().size(), 1u);
}

// "vorsa FILE": the drop's rule of which names load, applied to the whole
// name: the 260-byte cut belongs to the shell's drop buffer.
TEST_F(WindowBehaviour, NamedFileLoadsAsDropOnceTheLoopRuns)
{
    struct Row {
        std::string name;
        std::size_t tracks;
        std::size_t errors;
        bool shown; // Label1 holds the name
    };
    std::vector<Row> rows = {
        {"album.cue", 3, 0, true},
        {"album.txt", 0, 0, false},
        {"gone.cue", 0, 1, true},
    };
    std::vector<std::string> folders{dir_.Path()};
#ifndef _WIN32
    // Names of over 260 bytes; Windows' A calls take no path that long.
    const std::string deep = std::string(250, 'd');
    rows.push_back({deep + kPathDelimiter + "album.cue", 3, 0, true});
    rows.push_back({deep + kPathDelimiter + "album.txt", 0, 0, false});
    MakeFolder(dir_.File(deep));
    folders.push_back(dir_.File(deep));
#endif
    for (const std::string &folder : folders) {
        const std::string base = folder + kPathDelimiter + "album";
        WritePatternImage(base + ".bin", (150 + 300 + 75) * kSectorBytes);
        WriteWholeFile(base + ".cue", CueSheetText({0, 150, 450}, "album.bin"));
        WriteWholeFile(base + ".txt", CueSheetText({0}, "album.bin"));
    }
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        Restart();
        window_->LoadNamed(dir_.File(row.name));
        EXPECT_EQ(window_->Captions().size(), row.tracks);
        EXPECT_EQ(window_->messages.size(), row.errors);
        EXPECT_EQ(window_->Text(TextControl::Label1), row.shown ? dir_.File(row.name) : "");
    }
}

// A dropped name is taken whole, however deep: a cut one would name
// another file, or none. This one names no file: its open error shows.
TEST_F(WindowBehaviour, DropTakesTheWholeName)
{
    const std::string folder = dir_.Folder();
    const std::string end = messages::Narrow("表") + ".cue";
    const std::string dropped = folder + std::string(300 - folder.size() - end.size(), 'd') + end;
    EXPECT_TRUE(window_->Drop({dropped}));
    EXPECT_EQ(window_->Text(TextControl::Label1), dropped);
    ASSERT_EQ(window_->messages.size(), 1u);
    EXPECT_TRUE(window_->messages[0].error);
}

// "vorsa FILE" with a name in any script: UTF-8 is the 8-bit text of both
// programs where the system takes it.
TEST_F(WindowBehaviour, NamedFileInAnyScriptLoads)
{
    if (platform::NarrowCodePageNumber() != platform::kUtf8CodePage)
        GTEST_SKIP() << "the code page spells only some names";
    const GeneratedDisc disc = WriteCueDisc(dir_, "Café 𠮷野家 아이유", {75, 150});
    window_->LoadNamed(disc.descriptionPath);
    EXPECT_EQ(window_->Text(TextControl::Label1), disc.descriptionPath);
    EXPECT_EQ(window_->Captions().size(), 2u);
    EXPECT_TRUE(window_->messages.empty());
}

// Typing a folder's first letters selects it, and only selects it.
TEST_F(WindowBehaviour, TypingSelectsFolder)
{
    for (const char *name : {"sa", "sub", "sun"})
        MakeFolder(dir_.File(name));
    window_->ShowFolder(dir_.Path());
    window_->TypeInFolderList("su");
    EXPECT_EQ(window_->SelectedFolderEntry(), dir_.File("sub"));
    EXPECT_EQ(window_->Text(TextControl::Label6), "");
}

// Hidden folders are left out, as a file manager leaves them out by default.
TEST_F(WindowBehaviour, FolderListLeavesOutHiddenFolders)
{
#ifdef _WIN32
    const std::string hidden = dir_.File("ab");
    MakeFolder(hidden);
    ASSERT_TRUE(::SetFileAttributesW(PathOf(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    const std::string typed = "ab";
#else
    const std::string hidden = dir_.File(".ab");
    MakeFolder(hidden);
    const std::string typed = ".ab";
#endif
    MakeFolder(dir_.File("abc"));
    window_->ShowFolder(dir_.Path());
    window_->TypeInFolderList(typed);
    EXPECT_NE(window_->SelectedFolderEntry(), hidden);
}

TEST_F(WindowBehaviour, TickAllAndUntickAll)
{
    window_->TickAll(); // an empty list: nothing to do
    window_->UntickAll();
    EXPECT_TRUE(window_->Ticks().empty());

    LoadDisc();
    window_->SetTick(1, true);
    window_->TickAll();
    EXPECT_EQ(window_->Ticks(), (std::vector<bool>{true, true, true}));
    window_->SetTick(0, false);
    window_->UntickAll();
    EXPECT_EQ(window_->Ticks(), (std::vector<bool>{false, false, false}));
}

// Opening a folder makes it current and sets Label6 with exactly one
// trailing delimiter, looked for by character.
TEST_F(WindowBehaviour, OpeningFolderSetsDestination)
{
    const std::string root = dir_.Path().substr(0, dir_.Path().find(kPathDelimiter) + 1);
    // In code page 932 the last byte of 表 is that of "\".
    const std::string kanji = dir_.File(messages::Narrow("表"));
    struct Row {
        const char *what;
        std::string folder;
        std::string shownFrom; // the folder the list shows before
        std::string expected;
    };
    const Row rows[] = {
        {"plain folder", dir_.File("Music"), dir_.Path(), dir_.File("Music") + kPathDelimiter},
        {"ends in a double-byte character", kanji, dir_.Path(), kanji + kPathDelimiter},
        {"root", root, root, root},
    };
    MakeFolder(rows[0].folder);
    MakeFolder(rows[1].folder);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        window_->ShowFolder(row.shownFrom);
        window_->OpenFolderEntry(row.folder);
        EXPECT_EQ(window_->Text(TextControl::Label6), row.expected);
        EXPECT_TRUE(
            std::filesystem::equivalent(std::filesystem::current_path(), PathOf(row.folder)));
    }
}

// A folder that cannot be entered: the error display; Label6 and the
// process's folder keep what they held.
TEST_F(WindowBehaviour, FolderThatIsGoneShowsError)
{
    MakeFolder(dir_.File("gone"));
    window_->ShowFolder(dir_.Path());
    window_->OpenFolderEntry(dir_.Path());
    std::filesystem::remove(PathOf(dir_.File("gone")));
    window_->OpenFolderEntry(dir_.File("gone"));

    ASSERT_EQ(Texts(window_->messages), std::vector<std::string>{"ファイルが見つかりません."});
    EXPECT_TRUE(window_->messages[0].error);
    EXPECT_EQ(window_->Text(TextControl::Label6), dir_.Folder());
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::current_path(), PathOf(dir_.Path())));
}

TEST_F(WindowBehaviour, ExtractionPreconditions)
{
    struct Row {
        const char *what;
        bool load;
        const char *prefix;
        bool folder;
        const char *message;
    };
    const Row rows[] = {
        {"nothing loaded", false, "cd", true, "cue/ccdを指定してください"},
        {"no prefix", true, "", true, "Wave接頭語を指定してください"},
        // Right after start-up no folder is set, whatever the list shows.
        {"no folder yet", true, "cd", false, "Wave保存先フォルダを指定してください"},
    };
    MakeFolder(dir_.File("out"));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        Restart();
        if (row.load)
            LoadDisc();
        window_->TickAll();
        window_->SetPrefix(row.prefix);
        if (row.folder) {
            window_->ShowFolder(dir_.Path());
            window_->OpenFolderEntry(dir_.File("out"));
        }
        window_->Extract();
        EXPECT_EQ(Texts(window_->messages), std::vector<std::string>{row.message});
        EXPECT_FALSE(window_->Running());
        EXPECT_FALSE(FileExists(Out("cd01.wav")));
    }
}

TEST_F(WindowBehaviour, RunWritesTheTickedTracks)
{
    const GeneratedDisc disc = PrepareRun();
    EXPECT_EQ(window_->Text(TextControl::Label6), dir_.File("out") + kPathDelimiter);
    window_->SetTick(1, false);
    window_->Extract();

    ASSERT_EQ(Texts(window_->messages), std::vector<std::string>{"終わりました"});
    EXPECT_EQ(window_->messages.front().caption, kCaption);
    ExpectTrackFile(Out("cd01.wav"), disc, 0, 150);
    EXPECT_FALSE(FileExists(Out("cd02.wav")));
    // The last track ends at the image's end; the part sector is left out.
    ExpectTrackFile(Out("cd03.wav"), disc, 450, 75);
    EXPECT_EQ(Utf8(window_->Text(TextControl::Label7)), "3曲目");
    EXPECT_EQ(window_->Progress(), 100);
    EXPECT_FALSE(window_->StopEnabled());
    EXPECT_TRUE(window_->OpenEnabled());
    EXPECT_TRUE(window_->ExtractEnabled());
    EXPECT_FALSE(window_->Running());
}

// The stop is taken between tracks: the track being copied goes to its end.
TEST_F(WindowBehaviour, StopEndsRunAfterCurrentTrack)
{
    const GeneratedDisc disc = PrepareRun(true);
    bool enabledDuringRun = false;
    bool enabledAfterStop = true;
    window_->probe = [&](int call) {
        if (call != 2)
            return;
        enabledDuringRun = window_->StopEnabled();
        window_->Stop();
        // The stop is seen at once, and cannot be pressed twice.
        enabledAfterStop = window_->StopEnabled();
    };
    window_->Extract();

    EXPECT_TRUE(enabledDuringRun);
    EXPECT_FALSE(enabledAfterStop);
    ExpectTrackFile(Out("cd01.wav"), disc, 0, 150);
    EXPECT_FALSE(FileExists(Out("cd02.wav")));
    EXPECT_EQ(Texts(window_->messages), std::vector<std::string>{"終わりました"});
    EXPECT_FALSE(window_->StopEnabled());
}

// Loads and a second run would change the table under the running one:
// they are refused. Ticks and prefix stay usable and reach the tracks to come.
TEST_F(WindowBehaviour, RunRefusesLoadsButKeepsTicksAndPrefix)
{
    const GeneratedDisc disc = PrepareRun();
    const GeneratedDisc other = WriteCcdDisc(dir_, "other", {75});
    bool checked = false;
    window_->probe = [&](int call) {
        if (call != 1)
            return;
        checked = true;
        EXPECT_TRUE(window_->Running());
        EXPECT_FALSE(window_->OpenEnabled());
        EXPECT_FALSE(window_->ExtractEnabled());
        const std::size_t dialogs = window_->openInitialNames.size();
        window_->Open(other.descriptionPath);
        EXPECT_EQ(window_->openInitialNames.size(), dialogs); // no dialog
        EXPECT_FALSE(window_->Drop({other.descriptionPath}));
        window_->Extract(); // no second run inside this one
        EXPECT_EQ(window_->Text(TextControl::Label1), disc.descriptionPath);
        EXPECT_EQ(window_->Captions().size(), 3u);

        window_->UntickAll();
        window_->SetTick(1, true);
        window_->SetPrefix("x");
    };
    window_->Extract();

    EXPECT_TRUE(checked);
    EXPECT_EQ(Texts(window_->messages), std::vector<std::string>{"終わりました"});
    ExpectTrackFile(Out("cd01.wav"), disc, 0, 150);
    ExpectTrackFile(Out("x02.wav"), disc, 150, 300);
    EXPECT_FALSE(FileExists(Out("x03.wav")));
    EXPECT_FALSE(FileExists(Out("cd03.wav")));
    EXPECT_TRUE(window_->OpenEnabled());
    EXPECT_TRUE(window_->Drop({other.descriptionPath}));
    EXPECT_EQ(window_->Text(TextControl::Label1), other.descriptionPath);
}

// Closing the window mid-run stops the run after the current track and
// closes the window once the run has returned.
TEST_F(WindowBehaviour, CloseDuringRunIsPutOff)
{
    PrepareRun();
    bool closedAtOnce = true;
    window_->probe = [&](int call) {
        if (call != 1)
            return;
        closedAtOnce = window_->Close();
        EXPECT_FALSE(window_->StopEnabled()); // stopped as the button stops
    };
    window_->Extract();

    EXPECT_FALSE(closedAtOnce);
    EXPECT_EQ(Texts(window_->messages), std::vector<std::string>{"終わりました"});
    EXPECT_EQ(ReadWholeFile(Out("cd01.wav")).size(), 0u);
    EXPECT_FALSE(FileExists(Out("cd02.wav")));
    EXPECT_TRUE(window_->Shown());
    window_->RunPending();
    EXPECT_FALSE(window_->Shown());
}

// A logoff or shutdown waits for a run; one that comes anyway stops the
// run at once, the track file it was writing closed, and shows nothing.
TEST_F(WindowBehaviour, SessionEndDuringRunStopsWithTrackFileClosed)
{
    PrepareRun();
    if (!window_->QueryEndSession())
        GTEST_SKIP() << "the toolkit does not ask the window";
    EXPECT_EQ(window_->QueryEndSession(), true); // no run, no wait
    std::optional<bool> duringRun;
    bool closedOnAnswer = false;
    std::error_code error;
    window_->probe = [&](int call) {
        if (call != 2)
            return;
        duringRun = window_->QueryEndSession();
        window_->EndSession();
        // Closed by the time the window has answered, before the run has
        // unwound: a file still open without sharing could not be removed.
        closedOnAnswer = std::filesystem::remove(PathOf(Out("cd01.wav")), error);
    };
    window_->Extract();

    EXPECT_EQ(duringRun, false);
    EXPECT_FALSE(window_->Running());
    EXPECT_TRUE(window_->messages.empty());
    EXPECT_FALSE(FileExists(Out("cd02.wav")));
    EXPECT_TRUE(closedOnAnswer) << error.message();
}

// The prefix is read back whole, however many bytes its characters take
// (three a kanji in UTF-8), and names the track files with all of them.
TEST_F(WindowBehaviour, LongPrefixIsTakenWhole)
{
    std::string kanji;
    for (int count = 0; count < 80; ++count)
        kanji += "曲";
    const std::string prefix = messages::Narrow(kanji);
    const GeneratedDisc disc = PrepareRun();
    window_->SetPrefix(prefix);
    EXPECT_EQ(window_->Text(TextControl::Edit1), prefix);
    window_->SetTick(1, false);
    window_->SetTick(2, false);
    window_->Extract();

    ASSERT_EQ(Texts(window_->messages), std::vector<std::string>{"終わりました"});
    ExpectTrackFile(Out(prefix + "01.wav"), disc, 0, 150);
}

// A run that an error ends gives the window back idle.
TEST_F(WindowBehaviour, ErrorDuringRunShowsItAndRestoresWindow)
{
    PrepareRun();
    const std::string prefix = std::string("missing") + kPathDelimiter + "cd";
    window_->SetPrefix(prefix);
    window_->Extract();

    ASSERT_EQ(window_->messages.size(), 1u);
    EXPECT_TRUE(window_->messages[0].error);
    EXPECT_EQ(window_->messages[0].text,
              "ファイル " + Utf8(Out(prefix + "01.wav")) + " を作成できません.");
    EXPECT_FALSE(window_->Running());
    EXPECT_FALSE(window_->StopEnabled());
    EXPECT_TRUE(window_->OpenEnabled());
    EXPECT_TRUE(window_->ExtractEnabled());
}

} // namespace
} // namespace vorsa::testing
