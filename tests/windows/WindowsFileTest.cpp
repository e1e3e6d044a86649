// The Windows file layer under wine, with the exact messages the user gets
// in the process's code page: a file another program writes, files the
// system refuses, a full disk, Japanese names, and the folder rule. Built
// twice: for code page 932 (LANG=ja_JP.UTF-8) and, with a manifest, 65001.
#include "CliProcess.h"
#include "DiscBuilder.h"
#include "DiscReaders.h"
#include "Errors.h"
#include "Extraction.h"
#include "MemoryWindow.h"
#include "Messages.h"
#include "PathText.h"
#include "TempDir.h"
#include "TrackTable.h"
#include "WavExpectation.h"
#include "platform/SystemText.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#ifndef VORSA_CODE_PAGE
#error "VORSA_CODE_PAGE must name the code page the program is built for"
#endif

namespace vorsa::testing
{
namespace
{

using messages::Narrow;

constexpr std::string_view kHoldArgument = "--hold-for-writing";

// The message of the `Error` that `action` raises, in the code page.
template <typename Error, typename Action> std::string Raised(Action &&action)
{
    try {
        action();
    } catch (const Error &error) {
        return error.message();
    }
    return "(no error raised)";
}

// A UTF-8 path, for checks that must not go through the code page.
std::filesystem::path Utf8Path(std::string_view utf8)
{
    return std::filesystem::path(platform::ToUtf16(utf8, CP_UTF8));
}

// Runs a Linux program, which wine starts as it starts its own but gives no
// handle to wait on: the caller waits for what the program does.
void StartLinuxProgram(std::string commandLine)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        ADD_FAILURE() << commandLine;
        return;
    }
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
}

// `path` made a symbolic link to the Linux file `target` by ln(1), and
// removed by rm(1): wine does not delete a link to a device, and the
// folder's removal would wait on it for ever.
class LinuxLink
{
public:
    LinuxLink(const std::string &path, const char *target) : path_(path)
    {
        using ToUnix = char *(CDECL *)(LPCWSTR);
        const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void *>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        if (toUnix == nullptr) {
            ADD_FAILURE() << "not under wine";
            return;
        }
        char *const unixPath = toUnix(platform::ToUtf16(path, CP_ACP).c_str());
        unixPath_ = unixPath;
        HeapFree(GetProcessHeap(), 0, unixPath);
        StartLinuxProgram(std::string("/bin/ln -s ") + target + " " + unixPath_);
        AwaitListed(true);
    }
    ~LinuxLink()
    {
        StartLinuxProgram("/bin/rm -f " + unixPath_);
        AwaitListed(false);
    }
    LinuxLink(const LinuxLink &) = delete;
    LinuxLink &operator=(const LinuxLink &) = delete;

private:
    // A link to a device has no attributes to read, but it is listed.
    void AwaitListed(bool listed) const
    {
        for (int waited = 0; Listed() != listed; ++waited) {
            if (waited == 5000) {
                ADD_FAILURE() << path_ << (listed ? " not made" : " not removed") << " in 5 s";
                return;
            }
            Sleep(1);
        }
    }

    bool Listed() const
    {
        WIN32_FIND_DATAA entry;
        const HANDLE found = FindFirstFileA(path_.c_str(), &entry);
        if (found == INVALID_HANDLE_VALUE)
            return false;
        FindClose(found);
        return true;
    }

    std::string path_;
    std::string unixPath_;
};

// The other program: this one, started again to hold `path` open for
// writing (sharing it with readers) until its input ends.
int HoldForWriting(const char *path)
{
    const HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD count = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "held", 4, &count, nullptr);
    char byte = 0;
    while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), &byte, 1, &count, nullptr) && count > 0) {
    }
    CloseHandle(file);
    return 0;
}

// Another wine process that has a file open for writing while it lives.
class OtherWriter
{
public:
    explicit OtherWriter(const std::string &path)
    {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childIn = nullptr;
        HANDLE childOut = nullptr;
        CreatePipe(&childIn, &input_, &inherit, 0);
        CreatePipe(&output_, &childOut, &inherit, 0);
        SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        std::string line =
            "\"" + std::string(self) + "\" " + std::string(kHoldArgument) + " \"" + path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = childOut;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION started{};
        EXPECT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                   nullptr, &startup, &started));
        process_ = started.hProcess;
        CloseHandle(started.hThread);
        CloseHandle(childIn);
        CloseHandle(childOut);
        char held[4] = {};
        DWORD got = 0;
        EXPECT_TRUE(ReadFile(output_, held, sizeof held, &got, nullptr) && got == sizeof held)
            << "the other program could not open " << path;
    }
    ~OtherWriter()
    {
        CloseHandle(input_); // its input ends: it closes the file and quits
        WaitForSingleObject(process_, INFINITE);
        CloseHandle(process_);
        CloseHandle(output_);
    }
    OtherWriter(const OtherWriter &) = delete;
    OtherWriter &operator=(const OtherWriter &) = delete;

private:
    HANDLE input_ = nullptr;
    HANDLE output_ = nullptr;
    HANDLE process_ = nullptr;
};

class WindowsFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Without the locale ja_JP.UTF-8, wine silently gives 1252.
        ASSERT_EQ(GetACP(), static_cast<UINT>(VORSA_CODE_PAGE))
            << "code page 932 needs the locale: localedef -i ja_JP -f UTF-8 ja_JP.UTF-8";
        TrackCount = 0;
        AbortRequested = false;
    }

    // A two-track disc beside which the run writes cd01.wav and cd02.wav.
    void ReadyToExtract()
    {
        disc = WriteCueDisc(dir, "disc", {3, 4});
        ASSERT_EQ(LoadControlFile(window, disc.descriptionPath), LoadResult::Loaded);
        window.CheckAll();
        window.SetText(TextControl::Edit1, "cd");
        window.SetText(TextControl::Label6, dir.Folder());
    }

    TempDir dir;
    GeneratedDisc disc;
    MemoryWindow window;
};

TEST_F(WindowsFiles, CueSheetAnotherProgramWritesIsRefusedAtTheOpen)
{
    const GeneratedDisc busy = WriteCueDisc(dir, "disc", {3});
    const OtherWriter writer(busy.descriptionPath);
    EXPECT_EQ(Raised<EInOutError>([&] { LoadControlFile(window, busy.descriptionPath); }),
              Narrow("I/O エラー (32)"));
}

// Wine run as root writes read-only files anyway, as root passes Unix
// permissions; a kernel setting nobody may write is read-only for root too.
TEST_F(WindowsFiles, ReadOnlyTrackFileCannotBeCreated)
{
    ReadyToExtract();
    const LinuxLink track2(dir.File("cd02.wav"), "/proc/sys/kernel/osrelease");
    EXPECT_EQ(Raised<EFCreateError>([&] { ExtractCheckedTracks(window); }),
              Narrow("ファイル ") + dir.File("cd02.wav") + Narrow(" を作成できません"));
    EXPECT_EQ(WavMismatch(dir.Read("cd01.wav"), ExpectedTrackFile(disc, 0, 3)), "");
}

TEST_F(WindowsFiles, FullDiskEndsTheRunWithItsMessage)
{
    ReadyToExtract();
    const LinuxLink track2(dir.File("cd02.wav"), "/dev/full");
    EXPECT_EQ(Raised<EInOutError>([&] { ExtractCheckedTracks(window); }),
              Narrow("ディスクがいっぱいです"));
    EXPECT_EQ(WavMismatch(dir.Read("cd01.wav"), ExpectedTrackFile(disc, 0, 3)), "");
}

// 表 ends in the byte of "\" in code page 932.
TEST_F(WindowsFiles, JapaneseNamesAreLoadedAndWrittenUnchanged)
{
    ASSERT_TRUE(CreateDirectoryA(dir.File(Narrow("表")).c_str(), nullptr));
    disc = WriteCueDisc(dir, Narrow("表/ディスク"), {3, 4});
    ASSERT_EQ(LoadControlFile(window, disc.descriptionPath), LoadResult::Loaded);
    EXPECT_EQ(window.Text(TextControl::Label2), dir.File(Narrow("表/ディスク.bin")));
    EXPECT_EQ(window.Captions().size(), 2u);
    window.CheckAll();
    window.SetText(TextControl::Edit1, Narrow("曲"));
    window.SetText(TextControl::Label6, text::WithTrailingDelimiter(dir.File(Narrow("表"))));
    ASSERT_EQ(ExtractCheckedTracks(window), RunResult::Finished);

    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(Utf8Path(dir.Path() + "\\表"))) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace(name.begin(), name.end());
    }
    EXPECT_EQ(names,
              (std::set<std::string>{"ディスク.bin", "ディスク.cue", "曲01.wav", "曲02.wav"}));
    EXPECT_EQ(WavMismatch(dir.Read(Narrow("表/曲02.wav")), ExpectedTrackFile(disc, 3, 4)), "");
}

TEST_F(WindowsFiles, FoldersEndInOneBackslashFoundByCharacter)
{
    for (const auto &[folder, held] :
         {std::pair{"D:\\Music", "D:\\Music\\"}, std::pair{"D:\\", "D:\\"},
          std::pair{"D:\\表", "D:\\表\\"}, std::pair{"D:\\表\\", "D:\\表\\"}}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(text::WithTrailingDelimiter(Narrow(folder)), Narrow(held));
    }
}

} // namespace
} // namespace vorsa::testing

int main(int argc, char **argv)
{
    if (argc == 3 && argv[1] == vorsa::testing::kHoldArgument)
        return vorsa::testing::HoldForWriting(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
