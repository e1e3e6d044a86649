// The arguments of vorsa-cli, read with getopt_long:
//   vorsa-cli list FILE
//   vorsa-cli extract FILE --prefix P --folder DIR [--tracks LIST]
//   vorsa-cli --help | --version
#pragma once

#include "TrackSelection.h"

#include <optional>
#include <string>
#include <variant>

namespace vorsa::cli
{

enum class Action { List, Extract, Help, Version };

struct CommandLine {
    Action action = Action::Help;
    std::string file;
    // Both are required with extract. Given empty, the extraction refuses to
    // start with the window's own message, as for an empty prefix box.
    std::string prefix;
    std::string folder;
    TrackSelection tracks = TrackSelection::All();
};

// A wrong option, a missing or surplus argument: one line, without the
// program's name or a line end.
struct UsageError {
    std::string reason;
};

std::variant<CommandLine, UsageError> ParseCommandLine(int argc, char **argv);

std::string HelpText();
std::string VersionText();

} // namespace vorsa::cli
