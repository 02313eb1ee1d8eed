#include "platform/linux/ProfileText.h"

#include <algorithm>

#include "platform/linux/SettingsText.h"

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

TProfileText::TProfileText(std::string Text) : FText(std::move(Text))
{
    SplitLines();
}

void TProfileText::SplitLines()
{
    FLines.clear();
    for (size_t begin = ByteOrderMarkLength(FText); begin < FText.size(); begin = FLines.back().End())
        FLines.push_back(LineAt(FText, begin));
}

TProfileText::Location TProfileText::Find(const std::string& Section, const std::string& Key) const
{
    Location where;
    size_t i = 0;
    for (; i < FLines.size() && !where.Section; ++i) {
        const auto name = SectionName(Content(FLines[i]));
        if (name && SameName(*name, Section))
            where.Section = i;
    }
    if (!where.Section)
        return where;
    for (; i < FLines.size(); ++i) {
        const std::string_view line = Content(FLines[i]);
        if (SectionName(line))
            break;
        const auto name = KeyName(line);
        if (!where.Key && name && SameName(*name, Key))
            where.Key = i;
    }
    where.SectionEnd = i;
    return where;
}

std::optional<std::string> TProfileText::Value(const std::string& Section, const std::string& Key) const
{
    const Location where = Find(Section, Key);
    if (!where.Key)
        return std::nullopt;
    const std::string_view line = Content(FLines[*where.Key]);
    std::string_view value = TrimmedText(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string TProfileText::LineBreak() const
{
    return !FLines.empty() && FLines[0].BreakLength == 2 ? "\r\n" : "\n";
}

void TProfileText::SetValue(const std::string& Section, const std::string& Key, const std::string& Value)
{
    const std::string keyLine = Key + "=" + Value;
    const Location where = Find(Section, Key);
    if (where.Key) {
        // The key keeps the spelling it has in the file.
        const TTextLine& line = FLines[*where.Key];
        const std::string name(*KeyName(Content(line)));
        FText.replace(line.Begin, line.Length, name + "=" + Value);
    } else if (where.Section) {
        size_t last = *where.Section;
        for (size_t i = last + 1; i < where.SectionEnd; ++i)
            if (!TrimmedText(Content(FLines[i])).empty())
                last = i;
        InsertAfter(last, keyLine + LineBreak());
    } else {
        Append("[" + Section + "]" + LineBreak() + keyLine + LineBreak());
    }
    SplitLines();
}

void TProfileText::InsertAfter(size_t LineIndex, const std::string& NewLines)
{
    const TTextLine& line = FLines[LineIndex];
    const size_t end = line.Begin + line.Length + line.BreakLength;
    FText.insert(end, (line.BreakLength == 0 ? LineBreak() : std::string()) + NewLines);
}

void TProfileText::Append(const std::string& NewLines)
{
    if (!FText.empty() && FText.back() != '\n')
        FText += LineBreak();
    FText += NewLines;
}
