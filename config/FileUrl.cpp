#include "config/FileUrl.h"

namespace {

bool Plain(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~' || c == '/' || c == ':';
}

}  // namespace

std::string FileUrlFromPath(const std::string& Path)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string url = "file://";
    // A path that starts with a drive letter needs the slash that a Unix root already gives.
    if (!Path.empty() && Path[0] != '/' && Path[0] != '\\')
        url += '/';
    for (const char ch : Path) {
        const unsigned char c = static_cast<unsigned char>(ch == '\\' ? '/' : ch);
        if (Plain(c)) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += digits[c >> 4];
            url += digits[c & 15];
        }
    }
    return url;
}
