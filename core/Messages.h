// Texts the user meets, and the two rules that shape what a message box shows.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace vorsa::messages
{

// These are UTF-8, as the source is; Narrow() gives each in the process's
// code page, which is what the window and the console show.
inline constexpr std::string_view kNotAudioCd = "音楽CDではありません";
inline constexpr std::string_view kNotCdWav = "音楽CDのWAVファイルではありません";
inline constexpr std::string_view kMultiSession = "マルチセッションタイプのイメージは扱えません";
inline constexpr std::string_view kNoControlFile = "cue/ccdを指定してください";
inline constexpr std::string_view kNoPrefix = "Wave接頭語を指定してください";
inline constexpr std::string_view kNoFolder = "Wave保存先フォルダを指定してください";
inline constexpr std::string_view kFinished = "終わりました";
inline constexpr std::string_view kTrackSuffix = "曲目";

// One of the program's texts (UTF-8) in the process's code page: the same
// bytes on Linux and under code page 65001, Shift-JIS under 932. Each text
// is converted once and kept.
const std::string &Narrow(std::string_view utf8);

// The whole message of an error: every byte of the program's own errors, a
// NUL included; what() of any other.
std::string ErrorMessage(const std::exception &error);

// An error's message as the error box shows it: "." appended when the last
// character sorts after ".", so after Japanese text but not after ")".
std::string DisplayedErrorText(std::string_view message);

// Caption of every message box: the executable's file name without its
// folder, cut at its first ".", every character after the first in lower case.
std::string ApplicationTitle(std::string_view executablePath);

} // namespace vorsa::messages
