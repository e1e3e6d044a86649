// Linux: the narrow text is UTF-8, whatever the locale says, and folders end in "/".
#include "SystemText.h"

namespace vorsa::platform
{

unsigned NarrowCodePageNumber()
{
    return kUtf8CodePage;
}

bool IsLeadByte(unsigned char)
{
    return false;
}

std::string_view PathDelimiters()
{
    return "/";
}

std::string FromUtf8(std::string_view utf8)
{
    return std::string(utf8);
}

std::string ToUtf8(std::string_view narrow)
{
    return std::string(narrow);
}

} // namespace vorsa::platform
