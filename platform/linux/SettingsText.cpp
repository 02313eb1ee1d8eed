#include "platform/linux/SettingsText.h"

#include <algorithm>

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool IsSettingsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view TrimmedText(std::string_view Text)
{
    while (!Text.empty() && IsSettingsBlank(Text.front()))
        Text.remove_prefix(1);
    while (!Text.empty() && IsSettingsBlank(Text.back()))
        Text.remove_suffix(1);
    return Text;
}

bool SameName(std::string_view A, std::string_view B)
{
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

size_t ByteOrderMarkLength(std::string_view Text)
{
    return Text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

TTextLine LineAt(std::string_view Text, size_t Begin)
{
    const size_t newline = Text.find('\n', Begin);
    if (newline == std::string_view::npos)
        return {Begin, Text.size() - Begin, 0};
    const bool crlf = newline > Begin && Text[newline - 1] == '\r';
    return {Begin, newline - Begin - (crlf ? 1 : 0), crlf ? 2u : 1u};
}
