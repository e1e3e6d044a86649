// The window's modal dialogs: the message box, the error display and the
// open-file dialog. Each goes through its hook when one is set, so that the
// tests can answer them without blocking.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace vorsa::win32
{

// Text (as BoxText.h shapes it, UTF-8), one OK button and no icon, centred
// on the screen, the application title as caption; every window of the
// program waits until it is closed.
void ShowMessageBox(const std::string &text);
// The default exception display: as above, with the error icon.
void ShowErrorBox(const std::exception &error);

// GetOpenFileNameA for one file, which need not exist. `filter` is the
// dialog's filter pairs (shown text, patterns), each ended by a NUL, in the
// process's code page. Empty result for a cancel.
std::optional<std::string> ChooseOpenFile(HWND owner, const std::string &filter,
                                          const std::string &initialName);

// The seams. With no hook set, the real dialogs run.
// Caption and text in UTF-8, and whether it is the error display.
using MessageHook =
    std::function<void(const std::string &caption, const std::string &text, bool error)>;
// The filter and the name field's start text in, the chosen name out
// (nullopt for a cancel); all in the process's code page.
using OpenFileHook = std::function<std::optional<std::string>(const std::string &filter,
                                                              const std::string &initialName)>;

void SetMessageHook(MessageHook hook);
void SetOpenFileHook(OpenFileHook hook);

} // namespace vorsa::win32
