// What Windows reads from our programs without running them: the version
// resource (Explorer's details, Apps & features), the manifest (how the
// loader starts them) and the window's imports. Each row is one built
// program, read back from disk.
#include "platform/SystemText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace
{

struct Program {
    const char *name;
    const char *path; // the build's Linux path
    const wchar_t *descriptionJa;
    const wchar_t *descriptionEn;
    std::vector<std::string_view> manifestHolds;
};

void PrintTo(const Program &program, std::ostream *os)
{
    *os << program.name;
}

// Windows 10 and 11 share one id.
constexpr std::string_view kWindows10And11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}";

std::wstring WinePath(std::string_view linuxPath)
{
    std::wstring path = L"Z:";
    for (const char c : linuxPath)
        path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

class ExecutableResources : public ::testing::TestWithParam<Program>
{
protected:
    void SetUp() override
    {
        path_ = WinePath(GetParam().path);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path_.c_str(), &ignored);
        ASSERT_NE(size, 0u) << "no version resource, error " << GetLastError();
        version_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path_.c_str(), 0, size, version_.data()));
    }

    std::wstring Text(const wchar_t *block, const wchar_t *name)
    {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\") + block + L"\\" + name;
        void *value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(version_.data(), query.c_str(), &value, &length) || length == 0)
            return L"(missing)";
        return static_cast<const wchar_t *>(value);
    }

    std::wstring path_;
    std::vector<unsigned char> version_;
};

TEST_P(ExecutableResources, VersionIsTheProjectsInBothNumbersAndText)
{
    void *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(version_.data(), L"\\", &value, &length));
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(value);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(VORSA_VERSION_MINOR, VORSA_VERSION_MAJOR));
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    for (const wchar_t *block : {L"041104B0", L"040904B0"}) {
        EXPECT_EQ(Text(block, L"FileVersion"), vorsa::platform::ToUtf16(VORSA_VERSION, CP_UTF8));
        EXPECT_EQ(Text(block, L"ProductVersion"), vorsa::platform::ToUtf16(VORSA_VERSION, CP_UTF8));
    }
}

TEST_P(ExecutableResources, JapaneseAndEnglishBlocksNameTheProgramAndItsOwner)
{
    void *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(version_.data(), L"\\VarFileInfo\\Translation", &value, &length));
    const auto *pairs = static_cast<const WORD *>(value);
    ASSERT_EQ(length, 4 * sizeof(WORD));
    EXPECT_EQ((std::vector<WORD>{pairs, pairs + 4}),
              (std::vector<WORD>{0x0411, 1200, 0x0409, 1200}));

    EXPECT_EQ(Text(L"041104B0", L"FileDescription"), GetParam().descriptionJa);
    EXPECT_EQ(Text(L"040904B0", L"FileDescription"), GetParam().descriptionEn);
    for (const wchar_t *block : {L"041104B0", L"040904B0"}) {
        EXPECT_EQ(Text(block, L"ProductName"), L"Vorsa");
        EXPECT_EQ(Text(block, L"LegalCopyright"), L"Copyright (c) 2026 Vorsa Project");
        EXPECT_EQ(Text(block, L"OriginalFilename"),
                  vorsa::platform::ToUtf16(GetParam().name, CP_UTF8) + L".exe");
    }
}

TEST_P(ExecutableResources, ManifestAsksForWindows10And11Utf8AndLongPaths)
{
    HMODULE module = LoadLibraryExW(path_.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr) << "no manifest";
    const auto *bytes = static_cast<const char *>(LockResource(LoadResource(module, found)));
    const std::string manifest(bytes, SizeofResource(module, found));
    FreeLibrary(module);

    EXPECT_NE(manifest.find(kWindows10And11), std::string::npos) << manifest;
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
    // The elements as the loader knows them, each in its own namespace.
    for (const std::string_view element :
         {R"(<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8<)",
          R"(<longPathAware xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">true<)"})
        EXPECT_NE(manifest.find(element), std::string::npos) << element << " in " << manifest;
    for (const std::string_view part : GetParam().manifestHolds)
        EXPECT_NE(manifest.find(part), std::string::npos) << part << " in " << manifest;
}

// Each .rc file numbers its icon images from 1: two files in one program
// give two images of one number and language, of which the loader finds one,
// so that an icon shows another's images.
TEST_P(ExecutableResources, IconImagesAreNumberedOnce)
{
    HMODULE module = LoadLibraryExW(path_.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    using Image = std::pair<ULONG_PTR, WORD>; // number, language
    std::vector<Image> images;
    EnumResourceNamesW(
        module, MAKEINTRESOURCEW(3),
        [](HMODULE source, LPCWSTR type, LPWSTR name, LONG_PTR list) -> BOOL {
            EnumResourceLanguagesW(
                source, type, name,
                [](HMODULE, LPCWSTR, LPCWSTR number, WORD language, LONG_PTR found) -> BOOL {
                    reinterpret_cast<std::vector<Image> *>(found)->emplace_back(
                        reinterpret_cast<ULONG_PTR>(number), language);
                    return TRUE;
                },
                list);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&images));
    FreeLibrary(module);

    EXPECT_FALSE(images.empty()) << "no icon";
    std::vector<Image> once = images;
    std::sort(once.begin(), once.end());
    once.erase(std::unique(once.begin(), once.end()), once.end());
    EXPECT_EQ(once.size(), images.size());
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ExecutableResources,
    ::testing::Values(
        Program{
            "vorsa-cli", VORSA_CLI_PATH, VORSA_CLI_DESCRIPTION_JA, VORSA_CLI_DESCRIPTION_EN, {}},
        // The window's controls are drawn by common controls 6,
        // sharp at any dpi.
        Program{
            "vorsa",
            VORSA_WINDOW_PATH,
            VORSA_WINDOW_DESCRIPTION_JA,
            VORSA_WINDOW_DESCRIPTION_EN,
            {"name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "PerMonitorV2"}}),
    [](const auto &info) {
        std::string name = info.param.name;
        std::erase(name, '-');
        return name;
    });

// The names of the functions a program imports, from its import table, the
// file mapped as the loader maps it.
std::vector<std::string> ImportedFunctions(const std::wstring &path)
{
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr)
        return {};
    // The low bits of the handle mark the mapping as one of data.
    const auto *base = reinterpret_cast<const BYTE *>(reinterpret_cast<ULONG_PTR>(module) & ~3u);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS64 *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &table =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    for (auto *dll = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + table.VirtualAddress);
         table.VirtualAddress != 0 && dll->Name != 0; ++dll) {
        const DWORD thunks =
            dll->OriginalFirstThunk != 0 ? dll->OriginalFirstThunk : dll->FirstThunk;
        for (auto *thunk = reinterpret_cast<const IMAGE_THUNK_DATA64 *>(base + thunks);
             thunk->u1.AddressOfData != 0; ++thunk) {
            if (IMAGE_SNAP_BY_ORDINAL64(thunk->u1.Ordinal))
                continue;
            const auto *byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + thunk->u1.AddressOfData);
            names.emplace_back(reinterpret_cast<const char *>(byName->Name));
        }
    }
    FreeLibrary(module);
    return names;
}

// The window enters COM for the shell's calls, and reads its controls'
// texts through the wide calls alone.
TEST(ProgramImports, WindowEntersComAndReadsTextsWide)
{
    const std::vector<std::string> imports = ImportedFunctions(WinePath(VORSA_WINDOW_PATH));
    ASSERT_FALSE(imports.empty());
    const auto imported = [&imports](std::string_view name) {
        return std::find(imports.begin(), imports.end(), name) != imports.end();
    };
    EXPECT_TRUE(imported("CoInitializeEx"));
    EXPECT_TRUE(imported("CoUninitialize"));
    EXPECT_TRUE(imported("GetWindowTextW"));
    EXPECT_FALSE(imported("GetWindowTextA"));
    EXPECT_FALSE(imported("GetWindowTextLengthA"));
}

} // namespace
