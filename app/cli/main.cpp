// vorsa-cli: lists and extracts the tracks of a CD image from a terminal,
// through the same loading and extraction as the window program.
#include "CommandLine.h"
#include "Commands.h"
#include "Interrupt.h"
#include "ProcessStart.h"

#include "Console.h"

#include <cstdio>
#include <string>
#include <variant>
#include <vector>

namespace
{

int Run(int argc, char **argv)
{
    using namespace vorsa::cli;
    // When the progress output goes away the run goes on: its status tells
    // how it ended.
    vorsa::PrepareProcess();
    const auto parsed = ParseCommandLine(argc, argv);
    if (const auto *error = std::get_if<UsageError>(&parsed)) {
        // The reason may quote an argument, a name in any script.
        WriteText(stderr, "vorsa-cli: " + error->reason + "\n");
        return kUsageStatus;
    }
    const auto &line = std::get<CommandLine>(parsed);
    switch (line.action) {
    case Action::Help:
        std::fputs(HelpText().c_str(), stdout);
        return 0;
    case Action::Version:
        std::fputs(VersionText().c_str(), stdout);
        return 0;
    case Action::List:
        return RunList(line);
    case Action::Extract:
        InstallInterruptHandler(IsTerminal(stderr));
        return RunExtract(line);
    }
    return kSoftwareStatus;
}

} // namespace

#ifdef _WIN32
// From the command line as the system holds it, in UTF-16: the C runtime's
// own narrow arguments come through the system's best fit.
int wmain(int argc, wchar_t **wideArgv)
{
    std::vector<std::string> arguments = vorsa::cli::NarrowArguments(argc, wideArgv);
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    return Run(argc, argv.data());
}
#else
int main(int argc, char **argv)
{
    return Run(argc, argv);
}
#endif
