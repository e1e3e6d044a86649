// Runs the built vorsa-cli as a child process, its standard output and
// error going to files of its own, so that a test can watch a run, signal it
// and read what it printed.
#pragma once

#include "TempDir.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace vorsa::testing
{

struct CliResult {
    int status = -1; // exit status; -1 when a signal ended the process
    std::string out;
    std::string err;
};

// How the child is set up beyond its redirected console.
struct CliSetting {
    // Runs in the child after the redirections, right before exec: only
    // async-signal-safe calls (close, dup2, setrlimit, alarm ...).
    void (*inChild)() = nullptr;
    // NAME=value entries added to the environment the child inherits.
    std::vector<std::string> environment;
};

class CliProcess
{
public:
    explicit CliProcess(const std::vector<std::string> &arguments, const CliSetting &setting = {});
    // Kills a process still running, so that a failed test leaves none behind.
    ~CliProcess();
    CliProcess(const CliProcess &) = delete;
    CliProcess &operator=(const CliProcess &) = delete;

    void Signal(int signal) const;
    bool Running();
    // What the process has written to standard error so far.
    std::string ErrSoFar() const;
    CliResult Wait();

private:
    TempDir consoleDir_;
    pid_t pid_ = -1;
    int waitStatus_ = 0;
};

// The lines of what a run printed, without their line ends.
std::vector<std::string> Lines(const std::string &text);

CliResult RunCli(const std::vector<std::string> &arguments, const CliSetting &setting = {});

} // namespace vorsa::testing
