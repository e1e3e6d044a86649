// vorsa-cli: lists and extracts the tracks of a CD image from a terminal,
// through the same loading and extraction as the window program.
#include "CommandLine.h"
#include "Commands.h"
#include "Interrupt.h"
#include "ProcessStart.h"

#include "Console.h"

#include <cstdio>
#include <variant>

int main(int argc, char **argv)
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
