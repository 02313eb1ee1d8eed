#include "platform/linux/RegFileText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/linux/SettingsText.h"

namespace {

const char* const HeaderLine = "Windows Registry Editor Version 5.00";
const char* const OldHeaderLine = "REGEDIT4";

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// 1 to MaxDigits hexadecimal digits and nothing else.
std::optional<uint32_t> HexNumber(std::string_view Text, size_t MaxDigits)
{
    if (Text.empty() || Text.size() > MaxDigits)
        return std::nullopt;
    uint32_t n = 0;
    for (char c : Text) {
        const int d = HexDigit(c);
        if (d < 0)
            return std::nullopt;
        n = n << 4 | static_cast<uint32_t>(d);
    }
    return n;
}

// A quoted text at the start of Text, with \\ and \" unescaped; Rest is what follows it.
std::optional<std::string> Quoted(std::string_view Text, std::string_view& Rest)
{
    if (Text.empty() || Text.front() != '"')
        return std::nullopt;
    std::string out;
    for (size_t i = 1; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '"') {
            Rest = Text.substr(i + 1);
            return out;
        }
        if (c == '\\') {
            if (i + 1 >= Text.size() || (Text[i + 1] != '\\' && Text[i + 1] != '"'))
                return std::nullopt;
            out += Text[++i];
        } else {
            out += c;
        }
    }
    return std::nullopt;
}

std::string QuotedText(const std::string& Text)
{
    std::string out = "\"";
    for (char c : Text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

// UTF-8 to UTF-16LE with a terminating null; nothing for a text that is no valid UTF-8 or has
// a null character inside.
std::optional<std::string> StringData(std::string_view Text)
{
    auto data = Text.find('\0') == std::string_view::npos ? Utf16FromUtf8(Text, false) : std::nullopt;
    if (data)
        PutUnit(*data, 0);
    return data;
}

// The UTF-8 text of UTF-16LE data that ends with its only null character and holds no line
// break; nothing otherwise (such data is written as a hexadecimal list instead).
std::optional<std::string> StringText(const std::string& Data)
{
    if (Data.size() < 2 || Data.size() % 2 != 0 || Data[Data.size() - 1] != 0 || Data[Data.size() - 2] != 0)
        return std::nullopt;
    const auto text = Utf8FromUtf16(std::string_view(Data).substr(0, Data.size() - 2), false);
    if (!text || text->find_first_of(std::string("\0\r\n", 3)) != std::string::npos)
        return std::nullopt;
    return text;
}

// A comma-separated list of bytes in hexadecimal, possibly empty.
std::optional<std::string> HexBytes(std::string_view Text)
{
    std::string out;
    if (TrimmedText(Text).empty())
        return out;
    for (;;) {
        const size_t comma = Text.find(',');
        const auto byte = HexNumber(TrimmedText(Text.substr(0, comma)), 2);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
        if (comma == std::string_view::npos)
            return out;
        Text.remove_prefix(comma + 1);
    }
}

// The data part of a value line, after the "=".
std::optional<TRegFileText::Value> ParseData(std::string_view Text)
{
    Text = TrimmedText(Text);
    std::string_view rest;
    if (const auto text = Quoted(Text, rest)) {
        const auto data = TrimmedText(rest).empty() ? StringData(*text) : std::nullopt;
        if (!data)
            return std::nullopt;
        return TRegFileText::Value{RegValueType::String, *data};
    }
    if (Text.substr(0, 6) == "dword:") {
        const auto number = HexNumber(Text.substr(6), 8);
        if (!number)
            return std::nullopt;
        std::string data;
        PutUnit(data, *number & 0xFFFF);
        PutUnit(data, *number >> 16);
        return TRegFileText::Value{RegValueType::Dword, data};
    }
    RegValueType type = RegValueType::Binary;
    if (Text.substr(0, 4) == "hex(") {
        const size_t close = Text.find("):");
        const auto number = close == std::string_view::npos ? std::nullopt : HexNumber(Text.substr(4, close - 4), 8);
        if (!number)
            return std::nullopt;
        type = static_cast<RegValueType>(*number);
        Text.remove_prefix(close + 2);
    } else if (Text.substr(0, 4) == "hex:") {
        Text.remove_prefix(4);
    } else {
        return std::nullopt;
    }
    const auto data = HexBytes(Text);
    if (!data)
        return std::nullopt;
    return TRegFileText::Value{type, *data};
}

std::string DataText(const TRegFileText::Value& V)
{
    char number[16];
    if (V.Type == RegValueType::Dword && V.Data.size() == 4) {
        const auto byte = [&](int i) { return static_cast<uint32_t>(static_cast<unsigned char>(V.Data[i])); };
        std::snprintf(number, sizeof number, "%08x", byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24);
        return std::string("dword:") + number;
    }
    if (V.Type == RegValueType::String)
        if (const auto text = StringText(V.Data))
            return QuotedText(*text);
    std::string out = "hex:";
    if (V.Type != RegValueType::Binary) {
        std::snprintf(number, sizeof number, "%x", static_cast<uint32_t>(V.Type));
        out = std::string("hex(") + number + "):";
    }
    for (size_t i = 0; i < V.Data.size(); ++i) {
        std::snprintf(number, sizeof number, i == 0 ? "%02x" : ",%02x", static_cast<unsigned char>(V.Data[i]));
        out += number;
    }
    return out;
}

std::string NameText(const std::string& Name) { return Name.empty() ? "@" : QuotedText(Name); }

}  // namespace

TRegFileText::TRegFileText(std::string Text) : FText(std::move(Text)) {}

std::string TRegFileText::EmptyKey(const std::string& KeyName)
{
    return std::string(HeaderLine) + "\n\n[" + KeyName + "]\n";
}

template <typename Visitor>
void TRegFileText::ForEachEntry(Visitor Visit) const
{
    for (size_t begin = ByteOrderMarkLength(FText); begin < FText.size();) {
        const Entry entry = EntryAt(begin);
        Visit(entry);
        begin = entry.End;
    }
}

// The line (with its continuation lines) that starts at Begin.
TRegFileText::Entry TRegFileText::EntryAt(size_t Begin) const
{
    TTextLine last = LineAt(FText, Begin);
    const std::string_view line = TrimmedText(last.In(FText));
    Entry entry{Begin, last.End(), std::nullopt, std::nullopt};
    if (line.empty() || line.front() == ';' || line == HeaderLine || line == OldHeaderLine
        || (line.front() == '[' && line.back() == ']'))
        return entry;

    std::string_view rest = line.substr(1);
    entry.Name = line.front() == '@' ? std::string() : Quoted(line, rest);
    rest = TrimmedText(rest);
    if (!entry.Name || rest.empty() || rest.front() != '=') {
        entry.Name.reset();
        return entry;
    }
    // A hexadecimal list goes on over lines that end in one backslash; two end no list line.
    std::string data(TrimmedText(rest.substr(1)));
    while (data.rfind("hex", 0) == 0 && data.back() == '\\' && last.BreakLength > 0) {
        data.pop_back();
        if (data.back() == '\\')
            break;
        last = LineAt(FText, last.End());
        data += TrimmedText(last.In(FText));
    }
    entry.End = last.End();
    entry.Data = ParseData(data);
    return entry;
}

std::optional<TRegFileText::Value> TRegFileText::Find(const std::string& Name) const
{
    std::optional<Value> found;
    ForEachEntry([&](const Entry& E) {
        if (E.Name && SameName(*E.Name, Name))
            found = E.Data;
    });
    return found;
}

void TRegFileText::Set(const std::string& Name, const Value& NewValue)
{
    const std::string line = NameText(Name) + "=" + DataText(NewValue);
    // The text is written anew in one pass: the first line of the name takes the new value,
    // later ones go, every other byte is copied.
    std::string out;
    out.reserve(FText.size() + line.size() + 1);
    size_t copied = 0;
    bool placed = false;
    ForEachEntry([&](const Entry& E) {
        if (!E.Name || !SameName(*E.Name, Name))
            return;
        out.append(FText, copied, E.Begin - copied);
        copied = E.End;
        if (placed)
            return;
        // The new line ends as the replaced one did: with CR LF, LF, or nothing at the very end.
        const bool hadBreak = FText[E.End - 1] == '\n';
        const bool crlf = hadBreak && E.End - E.Begin >= 2 && FText[E.End - 2] == '\r';
        out += line + (!hadBreak ? "" : crlf ? "\r\n" : "\n");
        placed = true;
    });
    out.append(FText, copied, std::string::npos);
    if (!placed) {
        if (!out.empty() && out.back() != '\n')
            out += '\n';
        // A last line that ends in a backslash would take the new line as its continuation; an
        // empty line ends it.
        const std::string_view before = TrimmedText(std::string_view(out).substr(0, out.size() - (out.empty() ? 0 : 1)));
        if (!before.empty() && before.back() == '\\')
            out += '\n';
        out += line + "\n";
    }
    FText = std::move(out);
}
