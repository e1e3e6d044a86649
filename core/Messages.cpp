#include "Messages.h"

#include "CodePage.h"
#include "Errors.h"
#include "PathText.h"
#include "platform/SystemText.h"

#include <map>

namespace vorsa::messages
{

const std::string &Narrow(std::string_view utf8)
{
    // Keyed by the text itself: the messages are few, and the error texts
    // are made from them with a path or a number put in afterwards.
    static std::map<std::string, std::string, std::less<>> converted;
    auto found = converted.find(utf8);
    if (found == converted.end())
        found = converted.emplace(std::string(utf8), platform::FromUtf8(utf8)).first;
    return found->second;
}

std::string ErrorMessage(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const VorsaError *>(&error))
        return own->message();
    return error.what();
}

std::string DisplayedErrorText(std::string_view message)
{
    std::string text(message);
    // char_traits<char> compares as unsigned char, so every multi-byte
    // character (lead byte 0x80 or above) sorts after ".".
    if (!message.empty() && text::LastChar(message).compare(".") > 0)
        text += '.';
    return text;
}

std::string ApplicationTitle(std::string_view executablePath)
{
    const text::CodePage cp = text::NarrowCodePage();

    const std::string_view name = executablePath.substr(text::FileNameStart(executablePath));

    std::string title;
    for (std::size_t at = 0; at < name.size();) {
        const std::size_t length = text::CharBytes(name, at, cp);
        const std::string_view character = name.substr(at, length);
        if (character == ".")
            break;
        if (at > 0 && length == 1 && character[0] >= 'A' && character[0] <= 'Z')
            title += static_cast<char>(character[0] - 'A' + 'a');
        else
            title += character;
        at += length;
    }
    return title;
}

} // namespace vorsa::messages
