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

void PutUnit(std::string& Out, uint32_t Unit, bool BigEndian)
{
    const char low = static_cast<char>(Unit & 0xFF), high = static_cast<char>(Unit >> 8 & 0xFF);
    Out += BigEndian ? high : low;
    Out += BigEndian ? low : high;
}

std::optional<std::string> Utf16FromUtf8(std::string_view Text, bool BigEndian)
{
    std::string out;
    for (size_t i = 0; i < Text.size();) {
        const unsigned char lead = static_cast<unsigned char>(Text[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > Text.size())
            return std::nullopt;
        uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(Text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = code << 6 | (next & 0x3F);
        }
        static const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        if (code >= 0x10000) {
            PutUnit(out, 0xD800 | ((code - 0x10000) >> 10), BigEndian);
            PutUnit(out, 0xDC00 | ((code - 0x10000) & 0x3FF), BigEndian);
        } else {
            PutUnit(out, code, BigEndian);
        }
        i += length;
    }
    return out;
}

std::optional<std::string> Utf8FromUtf16(std::string_view Data, bool BigEndian)
{
    if (Data.size() % 2 != 0)
        return std::nullopt;
    const auto unit = [&](size_t i) {
        const uint32_t first = static_cast<unsigned char>(Data[2 * i]), second = static_cast<unsigned char>(Data[2 * i + 1]);
        return BigEndian ? first << 8 | second : second << 8 | first;
    };
    const size_t units = Data.size() / 2;
    std::string out;
    for (size_t i = 0; i < units; ++i) {
        uint32_t code = unit(i);
        if (code >= 0xDC00 && code <= 0xDFFF)
            return std::nullopt;
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 1 >= units || unit(i + 1) < 0xDC00 || unit(i + 1) > 0xDFFF)
                return std::nullopt;
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(++i) - 0xDC00);
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | code >> 6);
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | code >> 12);
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | code >> 18);
            out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}
