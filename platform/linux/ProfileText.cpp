#include "platform/linux/ProfileText.h"

namespace {

// The name of a section line, or nothing when the line starts no section.
std::optional<std::string_view> SectionName(std::string_view Line)
{
    const std::string_view text = TrimmedText(Line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const size_t close = text.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return TrimmedText(text.substr(1, close - 1));
}

// The name of a key line, or nothing when the line has no "=".
std::optional<std::string_view> KeyName(std::string_view Line)
{
    const size_t equals = Line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return TrimmedText(Line.substr(0, equals));
}

}  // namespace

TProfileText::Location TProfileText::Find(const std::string& Section, const std::string& Key) const
{
    Location where;
    size_t begin = ByteOrderMarkLength(FText);
    for (; begin < FText.size() && !where.Section; ) {
        const TTextLine line = LineAt(FText, begin);
        const auto name = SectionName(line.In(FText));
        if (name && SameName(*name, Section))
            where.Section = where.LastInSection = line;
        begin = line.End();
    }
    if (!where.Section)
        return where;
    for (; begin < FText.size(); ) {
        const TTextLine line = LineAt(FText, begin);
        const std::string_view text = line.In(FText);
        if (SectionName(text))
            break;
        const auto name = KeyName(text);
        if (!where.Key && name && SameName(*name, Key))
            where.Key = line;
        if (!TrimmedText(text).empty())
            where.LastInSection = line;
        begin = line.End();
    }
    return where;
}

std::optional<std::string> TProfileText::Value(const std::string& Section, const std::string& Key) const
{
    const Location where = Find(Section, Key);
    if (!where.Key)
        return std::nullopt;
    const std::string_view line = where.Key->In(FText);
    std::string_view value = TrimmedText(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string TProfileText::LineBreak() const
{
    const size_t begin = ByteOrderMarkLength(FText);
    return begin < FText.size() && LineAt(FText, begin).BreakLength == 2 ? "\r\n" : "\n";
}

void TProfileText::SetValue(const std::string& Section, const std::string& Key, const std::string& Value)
{
    const Location where = Find(Section, Key);
    if (where.Key) {
        // The key keeps the spelling it has in the file.
        const std::string name(*KeyName(where.Key->In(FText)));
        FText.replace(where.Key->Begin, where.Key->Length, name + "=" + Value);
    } else if (where.Section) {
        InsertAfter(where.LastInSection, Key + "=" + Value + LineBreak());
    } else {
        Append("[" + Section + "]" + LineBreak() + Key + "=" + Value + LineBreak());
    }
}

void TProfileText::InsertAfter(const TTextLine& Line, const std::string& NewLines)
{
    FText.insert(Line.End(), (Line.BreakLength == 0 ? LineBreak() : std::string()) + NewLines);
}

void TProfileText::Append(const std::string& NewLines)
{
    if (!FText.empty() && FText.back() != '\n')
        FText += LineBreak();
    FText += NewLines;
}
