#include "CommandLine.h"

#include "VorsaVersion.h"

#include <getopt.h>
#include <vector>

namespace vorsa::cli
{

namespace
{

const option kLongOptions[] = {
    {"help", no_argument, nullptr, 'h'},         {"version", no_argument, nullptr, 'V'},
    {"prefix", required_argument, nullptr, 'p'}, {"folder", required_argument, nullptr, 'd'},
    {"tracks", required_argument, nullptr, 't'}, {nullptr, 0, nullptr, 0},
};
// "-": operands come back in order as option 1, so options may follow them
// even under POSIXLY_CORRECT; ":": a missing argument is told apart.
constexpr char kShortOptions[] = "-:hVp:d:t:";

// The option as the user typed it, for the one-line reason.
std::string OffendingOption(char **argv)
{
    const std::string typed = argv[optind - 1];
    if (typed.rfind("--", 0) == 0 || optopt == 0)
        return typed;
    return std::string("-") + static_cast<char>(optopt);
}

} // namespace

std::variant<CommandLine, UsageError> ParseCommandLine(int argc, char **argv)
{
    CommandLine line;
    std::vector<std::string> operands;
    bool extractOptionGiven = false;
    bool prefixGiven = false;
    bool folderGiven = false;
    std::optional<std::string> tracksText;
    opterr = 0;
    optind = 1;
    for (int opt; (opt = getopt_long(argc, argv, kShortOptions, kLongOptions, nullptr)) != -1;) {
        switch (opt) {
        case 1:
            operands.emplace_back(optarg);
            break;
        case 'h':
            line.action = Action::Help;
            return line;
        case 'V':
            line.action = Action::Version;
            return line;
        case 'p':
            line.prefix = optarg;
            extractOptionGiven = prefixGiven = true;
            break;
        case 'd':
            line.folder = optarg;
            extractOptionGiven = folderGiven = true;
            break;
        case 't':
            tracksText = optarg;
            extractOptionGiven = true;
            break;
        case ':':
            return UsageError{"option '" + OffendingOption(argv) + "' needs an argument"};
        default:
            return UsageError{"invalid option '" + OffendingOption(argv) + "'"};
        }
    }
    // What follows "--" is not scanned, and is left to us.
    for (int index = optind; index < argc; ++index)
        operands.emplace_back(argv[index]);
    if (operands.empty())
        return UsageError{"missing command: list or extract (see --help)"};
    if (operands[0] == "list")
        line.action = Action::List;
    else if (operands[0] == "extract")
        line.action = Action::Extract;
    else
        return UsageError{"unknown command '" + operands[0] + "': list or extract (see --help)"};
    if (operands.size() < 2)
        return UsageError{"missing cue sheet or .ccd file after '" + operands[0] + "'"};
    if (operands.size() > 2)
        return UsageError{"unexpected argument '" + operands[2] + "'"};
    line.file = operands[1];
    if (line.action == Action::List && extractOptionGiven)
        return UsageError{"--prefix, --folder and --tracks belong to extract, not to list"};
    if (line.action == Action::Extract && !prefixGiven)
        return UsageError{"extract needs --prefix"};
    if (line.action == Action::Extract && !folderGiven)
        return UsageError{"extract needs --folder"};
    if (tracksText) {
        const auto tracks = TrackSelection::Parse(*tracksText);
        if (!tracks)
            return UsageError{"invalid track list '" + *tracksText +
                              "': all, or numbers and ranges such as 1,3-5"};
        line.tracks = *tracks;
    }
    return line;
}

std::string HelpText()
{
    return "Usage: vorsa-cli list FILE\n"
           "       vorsa-cli extract FILE --prefix PREFIX --folder DIR [--tracks LIST]\n"
           "\n"
           "Reads a cue sheet (.cue) or CloneCD control file (.ccd) and the raw CD image\n"
           "beside it, and lists its tracks or writes them as WAV files.\n"
           "\n"
           "  list              print the image path, then one line per track:\n"
           "                    number / length (minutes : seconds)\n"
           "  extract           write each selected track to DIR/PREFIXnn.wav\n"
           "  -p, --prefix=PREFIX  file-name prefix of the WAV files\n"
           "  -d, --folder=DIR     folder the WAV files go to\n"
           "  -t, --tracks=LIST    'all' (the default), or numbers and ranges: 1,3-5\n"
           "  -h, --help        show this help and exit\n"
           "  -V, --version     show the version and exit\n"
           "\n"
           "Ctrl-C stops an extraction before its next track; a second Ctrl-C quits at once.\n"
           "\n"
           "Exit status: 0 done, 1 error (a file that cannot be opened or created, a bad\n"
           "number in the file), 2 file refused or prefix/folder empty, 64 wrong\n"
           "arguments, 130 stopped by Ctrl-C.\n"
#ifdef _WIN32
           "\n"
           "Names may be in any script (Windows 10 1903 or later). A console shows them\n"
           "as they are; a file or a pipe receives the output in UTF-8, which the reader\n"
           "there must expect:\n"
           "  cmd          chcp 65001 first, for type or for /f to read it right\n"
           "  PowerShell   [Console]::OutputEncoding = [Text.Encoding]::UTF8 first, as\n"
           "               PowerShell decodes a program's output with the console's code\n"
           "               page when it takes it in (a pipe into a cmdlet; in Windows\n"
           "               PowerShell 5.1 also: vorsa-cli list FILE > tracks.txt)\n"
#endif
        ;
}

std::string VersionText()
{
    return "vorsa-cli " VORSA_VERSION "\n";
}

} // namespace vorsa::cli
