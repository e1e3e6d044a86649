// Runs the built vorsa-cli as a child process, its standard output and
// error going to files of its own, so that a test can watch a run, signal it
// and read what it printed. The test's texts are UTF-8; on Windows they
// reach the program as UTF-16 (arguments, environment), and its output
// comes back in UTF-8 whatever code page it runs in.
#pragma once

#include "TempDir.h"

#include <string>
#include <string_view>
#include <vector>
#ifndef _WIN32
#include <sys/types.h>
#endif

namespace vorsa::testing
{

struct CliResult {
    int status = -1; // exit status; -1 when a signal ended the process (Linux)
    std::string out;
    std::string err;
};

// How the child is set up beyond its redirected console.
struct CliSetting {
    // Runs in the child after the redirections, right before exec: only
    // async-signal-safe calls (close, dup2, setrlimit, alarm ...). Linux only.
    void (*inChild)() = nullptr;
    // NAME=value entries added to the environment the child inherits.
    std::vector<std::string> environment;
#ifdef _WIN32
    // Runs the build of vorsa-cli whose manifest asks for no code page: the
    // program as a Windows older than 1903 runs it, in the system's code
    // page (932 under LANG=ja_JP.UTF-8).
    bool systemCodePage = false;
    // A console of its own, to which Signal sends Ctrl-C. Without it the
    // program has none, as under a script. Each console is a program of
    // wine's (conhost), and wine ends every process of a console whose
    // program ends, with status 0, even one still starting (its
    // CreateProcess then fails with 1359): only the tests that need one
    // pay that.
    bool console = false;
    // The root of a process group of its own (CREATE_NEW_PROCESS_GROUP), as
    // `start /b` and job runners start programs: it begins with Ctrl-C
    // ignored, and Signal sends Ctrl-C to that group alone.
    bool newProcessGroup = false;
#endif
};

class CliProcess
{
public:
    explicit CliProcess(const std::vector<std::string> &arguments, const CliSetting &setting = {});
    // Kills a process still running, so that a failed test leaves none behind.
    ~CliProcess();
    CliProcess(const CliProcess &) = delete;
    CliProcess &operator=(const CliProcess &) = delete;

    // On Windows only SIGINT, sent as Ctrl-C to the program's console.
    void Signal(int signal) const;
    bool Running();
#ifdef _WIN32
    // Holds and lets go of the program's main thread; Ctrl-C is still seen
    // meanwhile, as its handler runs on a thread of its own.
    void Suspend() const;
    void Resume() const;
#endif
    // What the process has written to standard error so far.
    std::string ErrSoFar() const;
    CliResult Wait();

private:
    TempDir consoleDir_;
#ifdef _WIN32
    void *process_ = nullptr; // HANDLE
    void *thread_ = nullptr;  // HANDLE of the main thread
    unsigned long group_ = 0; // the process group Ctrl-C goes to; 0: the whole console
#else
    pid_t pid_ = -1;
    int waitStatus_ = 0;
#endif
};

// The lines of what a run printed, without their line ends.
std::vector<std::string> Lines(const std::string &text);

CliResult RunCli(const std::vector<std::string> &arguments, const CliSetting &setting = {});

} // namespace vorsa::testing
