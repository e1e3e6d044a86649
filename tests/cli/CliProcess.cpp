#include "CliProcess.h"

#include <sstream>

namespace vorsa::testing
{

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

CliResult RunCli(const std::vector<std::string> &arguments, const CliSetting &setting)
{
    CliProcess process(arguments, setting);
    return process.Wait();
}

} // namespace vorsa::testing
