#include "BoxText.h"

#include "Messages.h"
#include "platform/SystemText.h"

namespace vorsa::ui
{

namespace
{

constexpr std::string_view kShownNul = "\u2400"; // SYMBOL FOR NULL

} // namespace

std::string MessageBoxText(std::string_view narrowText)
{
    const std::string utf8 = platform::ToUtf8(narrowText);
    std::string shown;
    shown.reserve(utf8.size());
    for (const char byte : utf8) {
        if (byte == '\0')
            shown += kShownNul;
        else
            shown += byte;
    }
    return shown;
}

std::string ErrorBoxText(const std::exception &error)
{
    return ErrorBoxText(messages::ErrorMessage(error));
}

std::string ErrorBoxText(std::string_view narrowMessage)
{
    // The rule looks at the message's last character in its own code page.
    return MessageBoxText(messages::DisplayedErrorText(narrowMessage));
}

std::string BoxCaption(std::string_view executablePath)
{
    return platform::ToUtf8(messages::ApplicationTitle(executablePath));
}

} // namespace vorsa::ui
