#include "CliProcess.h"

#include "platform/SystemText.h"

#include <windows.h>

#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>
#include <string_view>

#if !defined(VORSA_CLI_PATH) || !defined(VORSA_CLI_SYSTEM_CODE_PAGE_PATH)
#error "VORSA_CLI_PATH and VORSA_CLI_SYSTEM_CODE_PAGE_PATH must name the built vorsa-cli programs"
#endif

namespace vorsa::testing
{

namespace
{

// What the program printed, its lines ended as the tests end them: the
// program's standard streams are in text mode, which ends lines with CR LF
// on Windows. Its UTF-8 is left as it is, so that a wrong byte shows.
std::string PrintedText(const std::string &path)
{
    const std::string text = ReadWholeFile(path);
    std::string lines;
    for (std::size_t at = 0; at < text.size(); ++at)
        if (!(text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n'))
            lines += text[at];
    return lines;
}

// One argument quoted so that the program's startup code splits it back out
// unchanged: backslashes are doubled only where a quote follows them.
void AppendQuoted(std::wstring &commandLine, std::wstring_view argument)
{
    if (!commandLine.empty())
        commandLine += L' ';
    commandLine += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        commandLine.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        commandLine += c;
    }
    commandLine.append(backslashes * 2, L'\\');
    commandLine += L'"';
}

// The test's environment with `entries` (UTF-8 NAME=value) put in place of
// variables of the same name: a block of NUL-ended entries, NUL-ended.
std::wstring EnvironmentBlock(const std::vector<std::string> &entries)
{
    std::vector<std::wstring> own;
    for (const std::string &entry : entries)
        own.push_back(platform::ToUtf16(entry, CP_UTF8));
    std::wstring block;
    wchar_t *const inherited = GetEnvironmentStringsW();
    for (const wchar_t *entry = inherited; *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::wstring_view text(entry);
        const std::wstring_view name = text.substr(0, text.find(L'=', 1) + 1);
        const bool overridden =
            std::any_of(own.begin(), own.end(), [name](const std::wstring &mine) {
                return CompareStringOrdinal(
                           mine.data(), static_cast<int>(std::min(mine.size(), name.size())),
                           name.data(), static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
            });
        if (!overridden)
            block.append(text).push_back(L'\0');
    }
    FreeEnvironmentStringsW(inherited);
    for (const std::wstring &entry : own)
        block.append(entry).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

HANDLE Inheritable(const wchar_t *path, DWORD access, DWORD disposition)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       &inherit, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The test takes no part in the Ctrl-C it sends while attached to the
// program's console. A handler rather than the ignore flag, which programs
// started later would inherit.
BOOL WINAPI SwallowConsoleEvent(DWORD)
{
    return TRUE;
}

} // namespace

CliProcess::CliProcess(const std::vector<std::string> &arguments, const CliSetting &setting)
{
    if (setting.inChild != nullptr)
        ADD_FAILURE() << "a setting run in the child is Linux's";
    std::string program = setting.systemCodePage ? VORSA_CLI_SYSTEM_CODE_PAGE_PATH : VORSA_CLI_PATH;
    // The build names it by its Linux path, which wine sees on drive Z:.
    std::replace(program.begin(), program.end(), '/', '\\');
    if (program.rfind('\\', 0) == 0)
        program.insert(0, "Z:");
    const std::wstring programPath = platform::ToUtf16(program, CP_UTF8);
    std::wstring commandLine;
    AppendQuoted(commandLine, programPath);
    for (const std::string &argument : arguments)
        AppendQuoted(commandLine, platform::ToUtf16(argument, CP_UTF8));
    std::wstring environment = EnvironmentBlock(setting.environment);

    const HANDLE in = Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
    const HANDLE out = Inheritable(platform::ToUtf16(consoleDir_.File("stdout"), CP_UTF8).c_str(),
                                   GENERIC_WRITE, CREATE_ALWAYS);
    const HANDLE err = Inheritable(platform::ToUtf16(consoleDir_.File("stderr"), CP_UTF8).c_str(),
                                   GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION started{};
    // With a console, its standard handles stay the files above.
    const DWORD consoleFlag = setting.console ? CREATE_NEW_CONSOLE : DETACHED_PROCESS;
    const DWORD groupFlag = setting.newProcessGroup ? CREATE_NEW_PROCESS_GROUP : 0;
    if (CreateProcessW(programPath.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                       consoleFlag | groupFlag | CREATE_UNICODE_ENVIRONMENT, environment.data(),
                       nullptr, &startup, &started)) {
        process_ = started.hProcess;
        thread_ = started.hThread;
        // The root's process id names its group.
        if (setting.newProcessGroup)
            group_ = started.dwProcessId;
    } else {
        ADD_FAILURE() << "CreateProcess " << program << " failed: " << GetLastError();
    }
    for (const HANDLE handle : {in, out, err})
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
}

CliProcess::~CliProcess()
{
    if (Running())
        TerminateProcess(process_, 1);
    if (process_ != nullptr) {
        WaitForSingleObject(process_, INFINITE);
        CloseHandle(process_);
        CloseHandle(thread_);
    }
}

void CliProcess::Signal(int signal) const
{
    if (signal != SIGINT) {
        ADD_FAILURE() << "only SIGINT has a Windows counterpart";
        return;
    }
    static const bool swallowing = SetConsoleCtrlHandler(SwallowConsoleEvent, TRUE);
    (void)swallowing;
    FreeConsole();
    if (!AttachConsole(GetProcessId(process_))) {
        ADD_FAILURE() << "AttachConsole failed: " << GetLastError();
        return;
    }
    // Group 0: every process on the console, which is the program alone
    // besides this test; or the program's own group.
    if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, group_))
        ADD_FAILURE() << "GenerateConsoleCtrlEvent failed: " << GetLastError();
    FreeConsole();
}

void CliProcess::Suspend() const
{
    // Fails once the process has ended, which the caller sees from Running().
    if (SuspendThread(thread_) == static_cast<DWORD>(-1))
        return;
    // SuspendThread only asks; the thread has stopped once its context can
    // be read.
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(static_cast<HANDLE>(thread_), &context);
}

void CliProcess::Resume() const
{
    ResumeThread(thread_);
}

bool CliProcess::Running()
{
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::string CliProcess::ErrSoFar() const
{
    return PrintedText(consoleDir_.File("stderr"));
}

CliResult CliProcess::Wait()
{
    CliResult result;
    if (process_ != nullptr) {
        WaitForSingleObject(process_, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process_, &code))
            result.status = static_cast<int>(code);
    }
    result.out = PrintedText(consoleDir_.File("stdout"));
    result.err = PrintedText(consoleDir_.File("stderr"));
    return result;
}

} // namespace vorsa::testing
