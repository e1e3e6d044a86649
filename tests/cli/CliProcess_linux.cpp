#include "CliProcess.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

#ifndef VORSA_CLI_PATH
#error "VORSA_CLI_PATH must name the built vorsa-cli"
#endif

namespace vorsa::testing
{

namespace
{

void RedirectOrDie(const std::string &path, int flags, int target)
{
    const int fd = open(path.c_str(), flags, 0644);
    if (fd < 0 || dup2(fd, target) < 0)
        _exit(127);
    close(fd);
}

// True when `entries` set the variable of the NAME=value entry `entry`.
bool Overrides(const std::vector<std::string> &entries, std::string_view entry)
{
    const std::string_view name = entry.substr(0, entry.find('=') + 1);
    return std::any_of(entries.begin(), entries.end(),
                       [name](const std::string &own) { return own.rfind(name, 0) == 0; });
}

} // namespace

CliProcess::CliProcess(const std::vector<std::string> &arguments, const CliSetting &setting)
{
    std::vector<std::string> argvText{VORSA_CLI_PATH};
    argvText.insert(argvText.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &argument : argvText)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment(setting.environment);
    for (char **entry = environ; *entry != nullptr; ++entry)
        if (!Overrides(setting.environment, *entry))
            environment.emplace_back(*entry);
    std::vector<char *> envp;
    for (std::string &entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    const std::string outPath = consoleDir_.File("stdout");
    const std::string errPath = consoleDir_.File("stderr");

    pid_ = fork();
    if (pid_ == 0) {
        // Only async-signal-safe calls between fork and exec.
        RedirectOrDie("/dev/null", O_RDONLY, STDIN_FILENO);
        RedirectOrDie(outPath, O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO);
        RedirectOrDie(errPath, O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
        // Nothing of the test's own (or ctest's) reaches the program.
        close_range(3, ~0U, 0);
        if (setting.inChild != nullptr)
            setting.inChild();
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    if (pid_ < 0)
        ADD_FAILURE() << "fork failed";
}

CliProcess::~CliProcess()
{
    if (Running()) {
        kill(pid_, SIGKILL);
        Wait();
    }
}

void CliProcess::Signal(int signal) const
{
    kill(pid_, signal);
}

bool CliProcess::Running()
{
    if (pid_ <= 0)
        return false;
    if (waitpid(pid_, &waitStatus_, WNOHANG) == 0)
        return true;
    pid_ = 0; // reaped: waitStatus_ holds how it ended
    return false;
}

std::string CliProcess::ErrSoFar() const
{
    return ReadWholeFile(consoleDir_.File("stderr"));
}

CliResult CliProcess::Wait()
{
    if (pid_ > 0) {
        waitpid(pid_, &waitStatus_, 0);
        pid_ = 0;
    }
    CliResult result;
    result.status = WIFEXITED(waitStatus_) ? WEXITSTATUS(waitStatus_) : -1;
    result.out = ReadWholeFile(consoleDir_.File("stdout"));
    result.err = ReadWholeFile(consoleDir_.File("stderr"));
    return result;
}

} // namespace vorsa::testing
