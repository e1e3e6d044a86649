#include "Dialogs.h"

#include "BoxText.h"
#include "WinText.h"

#include <commdlg.h>

#include <cstdlib>
#include <utility>
#include <vector>

namespace vorsa::win32
{

namespace
{

// Long enough for any path the dialog can name (the long-path limit).
constexpr DWORD kOpenNameBytes = 32768;

MessageHook &CurrentMessageHook()
{
    static MessageHook hook;
    return hook;
}

OpenFileHook &CurrentOpenFileHook()
{
    static OpenFileHook hook;
    return hook;
}

// The program as the user started it, as the caption rule wants it; the
// module's own path when the C runtime kept no arguments.
std::string ProgramPath()
{
    if (__argc > 0 && __argv && __argv[0])
        return __argv[0];
    std::string path(MAX_PATH, '\0');
    const DWORD got = ::GetModuleFileNameA(nullptr, path.data(), MAX_PATH);
    path.resize(got);
    return path;
}

void RunMessageBox(const std::string &text, bool error)
{
    const std::string caption = ui::BoxCaption(ProgramPath());
    if (const MessageHook &hook = CurrentMessageHook()) {
        hook(caption, text, error);
        return;
    }
    // No owner: the box is placed in the middle of the screen, and
    // MB_TASKMODAL keeps every window of the program waiting until it is
    // closed. The W call, because the text may hold "␀", which no ANSI code
    // page but UTF-8 has.
    ::MessageBoxW(nullptr, Widen(text).c_str(), Widen(caption).c_str(),
                  MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | (error ? MB_ICONERROR : 0));
}

} // namespace

void SetMessageHook(MessageHook hook)
{
    CurrentMessageHook() = std::move(hook);
}

void SetOpenFileHook(OpenFileHook hook)
{
    CurrentOpenFileHook() = std::move(hook);
}

void ShowMessageBox(const std::string &text)
{
    RunMessageBox(text, false);
}

void ShowErrorBox(const std::exception &error)
{
    RunMessageBox(ui::ErrorBoxText(error), true);
}

std::optional<std::string> ChooseOpenFile(HWND owner, const std::string &filter,
                                          const std::string &initialName)
{
    if (const OpenFileHook &hook = CurrentOpenFileHook())
        return hook(filter, initialName);

    std::vector<char> name(kOpenNameBytes, '\0');
    initialName.copy(name.data(), name.size() - 1);
    // The filter's pairs, and the NUL that ends the list.
    const std::string filters = filter + '\0';
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filters.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = kOpenNameBytes;
    // No OFN_FILEMUSTEXIST or OFN_PATHMUSTEXIST: the named file need not
    // exist. OFN_NOCHANGEDIR: the process's folder is the folder list's,
    // which only the user's folder change moves.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameA(&dialog))
        return std::nullopt;
    return std::string(name.data());
}

} // namespace vorsa::win32
