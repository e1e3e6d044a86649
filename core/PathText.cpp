#include "PathText.h"

namespace vorsa::text
{

namespace
{

bool IsDelimiter(std::string_view character, std::string_view delimiters, CodePage cp)
{
    for (std::size_t at = 0; at < delimiters.size(); at += CharBytes(delimiters, at, cp)) {
        if (CharAt(delimiters, at, cp) == character)
            return true;
    }
    return false;
}

} // namespace

std::string ReplaceExtension(std::string_view path, std::string_view ext, CodePage cp,
                             std::string_view delimiters)
{
    std::size_t dot = std::string_view::npos;
    for (std::size_t at = 0; at < path.size();) {
        const std::string_view character = CharAt(path, at, cp);
        if (character == ".")
            dot = at;
        else if (IsDelimiter(character, delimiters, cp))
            dot = std::string_view::npos;
        at += character.size();
    }
    std::string result(path.substr(0, dot));
    result += ext;
    return result;
}

std::size_t FileNameStart(std::string_view path, CodePage cp, std::string_view delimiters)
{
    std::size_t nameStart = 0;
    for (std::size_t at = 0; at < path.size();) {
        const std::string_view character = CharAt(path, at, cp);
        at += character.size();
        if (IsDelimiter(character, delimiters, cp))
            nameStart = at;
    }
    return nameStart;
}

std::string WithTrailingDelimiter(std::string_view folder)
{
    // The first of the delimiters is the one folders are written with.
    const std::string_view delimiter = PathDelimiters().substr(0, 1);
    std::string result(folder);
    if (!folder.empty() && LastChar(folder) != delimiter)
        result += delimiter;
    return result;
}

} // namespace vorsa::text
