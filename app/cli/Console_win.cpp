#include "Console.h"

#include "platform/SystemText.h"

#include <io.h>
#include <windows.h>

#include <string>

namespace vorsa::cli
{

namespace
{

// The console behind `stream`, or nullptr when it goes to a file or a pipe.
HANDLE ConsoleOf(std::FILE *stream)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return nullptr;
    return handle;
}

} // namespace

bool IsTerminal(std::FILE *stream)
{
    return ConsoleOf(stream) != nullptr;
}

void WriteText(std::FILE *stream, std::string_view text)
{
    // A console shows the bytes it is given in its own code page (the OEM
    // one, 932 on Japanese Windows, but the user may have changed it with
    // chcp), so it is given the characters themselves: the text converted
    // from the process's code page into UTF-16. A file or a pipe gets
    // UTF-8, as on Linux, whatever code page the program runs in (the
    // system's own on a Windows that ignores the manifest's): what reads it
    // then needs to know one encoding only.
    const HANDLE console = ConsoleOf(stream);
    if (console == nullptr) {
        const std::string utf8 = platform::ToUtf8(text);
        std::fwrite(utf8.data(), 1, utf8.size(), stream);
        return;
    }
    if (text.empty())
        return;
    std::fflush(stream);
    const std::wstring utf16 = platform::ToUtf16(text, CP_ACP);
    DWORD written = 0;
    ::WriteConsoleW(console, utf16.data(), static_cast<DWORD>(utf16.size()), &written, nullptr);
}

std::vector<std::string> NarrowArguments(int argc, wchar_t **argv)
{
    // UTF-8 takes no flags, and needs none: it spells every character.
    const unsigned long flags =
        platform::NarrowCodePageNumber() == platform::kUtf8CodePage ? 0 : WC_NO_BEST_FIT_CHARS;
    std::vector<std::string> arguments;
    for (int index = 0; index < argc; ++index)
        arguments.push_back(platform::FromUtf16(argv[index], CP_ACP, flags));
    return arguments;
}

} // namespace vorsa::cli
