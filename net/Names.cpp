// The rules for file names and for links handed to the operating system.
#include "Names.hpp"

#include <cctype>

namespace KRV::net {

bool IsSafeFileName(const std::string& text, std::string* reason)
{
    auto fail = [&](const char* why) {
        if (reason != nullptr)
            *reason = why;
        return false;
    };
    if (text.empty())
        return fail("the name is empty");
    if (text[0] == '.')
        return fail("the name begins with a dot");
    for (unsigned char c : text) {
        if (c == '/' || c == '\\')
            return fail("the name holds a path separator");
        if (c < 0x20 || c == 0x7F)
            return fail("the name holds a control character");
    }
    return true;
}

bool IfcFileName(const std::string& projectName, std::string& fileName)
{
    std::string name = projectName;
    for (char& c : name)
        if (c == '/' || c == ':' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '_';
    if (name == "." || name == "..")
        return false;
    fileName = name + ".ifc";
    return true;
}

bool IsOpenableLink(const std::string& text)
{
    for (unsigned char c : text)
        if (c <= ' ' || c == 0x7F)
            return false;
    auto colon = text.find(':');
    if (colon == std::string::npos)
        return false;
    std::string scheme = text.substr(0, colon);
    for (char& c : scheme)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string rest = text.substr(colon + 1);
    if (scheme == "http" || scheme == "https")
        return rest.size() > 2 && rest.compare(0, 2, "//") == 0 && rest[2] != '/';
    return scheme == "mailto" && !rest.empty();
}

} // namespace KRV::net
