#include "Messages.h"
#include "CodePage.h"
#include "Errors.h"

#include "RowNames.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

using vorsa::messages::ApplicationTitle;
using vorsa::messages::DisplayedErrorText;
using vorsa::testing::PrintTo;

// --- The error box's full stop --------------------------------------------

struct ErrorTextRow {
    const char *name;
    std::string message;
    std::string shown;
};

class ErrorBoxText : public ::testing::TestWithParam<ErrorTextRow>
{
};

TEST_P(ErrorBoxText, AppendsAStopAfterCharactersSortingAfterIt)
{
    EXPECT_EQ(DisplayedErrorText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    LastCharacters, ErrorBoxText,
    ::testing::Values(
        ErrorTextRow{"Empty", "", ""},
        ErrorTextRow{"Japanese", "ファイルが見つかりません", "ファイルが見つかりません."},
        ErrorTextRow{"IoCodeInParentheses", "I/O エラー (5)", "I/O エラー (5)"},
        ErrorTextRow{"Letter", "abc", "abc."}, ErrorTextRow{"Digit", "error 5", "error 5."},
        ErrorTextRow{"Slash", "a/", "a/."}, ErrorTextRow{"AlreadyStopped", "done.", "done."},
        ErrorTextRow{"Blank", "a ", "a "}, ErrorTextRow{"Hyphen", "a-", "a-"},
        ErrorTextRow{"InvalidTrailingByte", "ab\xE3\x81", "ab\xE3\x81."}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ErrorBoxText, ShowsTheProgramsErrorsAsTheyAreMeant)
{
    EXPECT_EQ(DisplayedErrorText(vorsa::EConvertError("03:25:4 ").what()),
              "'03:25:4 ' は整数ではありません.");
    EXPECT_EQ(DisplayedErrorText(vorsa::EFOpenError("/cd/album.bin").what()),
              "ファイル /cd/album.bin は開けません.");
    EXPECT_EQ(DisplayedErrorText(vorsa::EInOutError(31).what()), "I/O エラー (31)");
}

// --- The message boxes' caption -------------------------------------------

struct TitleRow {
    const char *name;
    std::string path;
    std::string title;
};

class Title : public ::testing::TestWithParam<TitleRow>
{
};

TEST_P(Title, IsTheNameCutAtItsFirstDotAndLowered)
{
    const vorsa::text::ScopedTextPlatform posix(vorsa::text::CodePage::Utf8,
                                                vorsa::text::kPosixDelimiters);
    EXPECT_EQ(ApplicationTitle(GetParam().path), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Posix, Title,
    ::testing::Values(TitleRow{"Plain", "/usr/bin/vorsa", "vorsa"},
                      TitleRow{"UpperCase", "/x/VORSA.EXE", "Vorsa"},
                      TitleRow{"DotsInFolderAndName", "/a.b/Vorsa.bin.x", "Vorsa"},
                      TitleRow{"NoFolder", "VORSA", "Vorsa"},
                      TitleRow{"FirstCharacterStays", "/x/vORSA", "vorsa"},
                      TitleRow{"JapaneseFirst", "/x/ボルサCD.exe", "ボルサcd"},
                      TitleRow{"JapaneseUntouched", "/x/AÄB", "AÄb"},
                      TitleRow{"DigitsAndMarks", "/x/V2-X_Y", "V2-x_y"},
                      TitleRow{"HiddenName", "/x/.vorsa", ""},
                      TitleRow{"FolderOnly", "/usr/bin/", ""}, TitleRow{"Empty", "", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Title, FindsTheFolderByCharacterOnWindows)
{
    vorsa::text::ScopedTextPlatform windows(vorsa::text::CodePage::ShiftJis,
                                            vorsa::text::kWindowsDelimiters);
    EXPECT_EQ(ApplicationTitle("C:\\Tools\\VORSA.EXE"), "Vorsa");
    EXPECT_EQ(ApplicationTitle("C:VORSA.EXE"), "Vorsa");
    // 表 is 0x95 0x5C: its second byte must not end the folder.
    EXPECT_EQ(ApplicationTitle("C:\\\x95\x5CX.EXE"), "\x95\x5Cx");
}

} // namespace
