#include "widgets/LMDText.h"

namespace {

// The length in bytes of the character that starts at Text[Pos]: the whole sequence when it
// is well-formed UTF-8, otherwise 1.
size_t CharLength(std::string_view Text, size_t Pos)
{
    const auto lead = static_cast<unsigned char>(Text[Pos]);
    size_t length = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 1 || Pos + length > Text.size())
        return 1;
    for (size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(Text[Pos + i]) & 0xC0) != 0x80)
            return 1;
    return length;
}

// Whether every byte of Text is ASCII, where each byte is one character of its own.
bool AllAscii(std::string_view Text)
{
    for (const char c : Text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

size_t LMDCharCount(std::string_view Text)
{
    if (AllAscii(Text))
        return Text.size();
    size_t count = 0;
    for (size_t pos = 0; pos < Text.size(); pos += CharLength(Text, pos))
        ++count;
    return count;
}

std::string LMDLeftChars(std::string_view Text, size_t Count)
{
    // No character is shorter than a byte, so a text of at most Count bytes is kept whole.
    if (Text.size() <= Count)
        return std::string(Text);
    size_t pos = 0;
    for (size_t n = 0; n < Count && pos < Text.size(); ++n)
        pos += CharLength(Text, pos);
    return std::string(Text.substr(0, pos));
}

std::string LMDCellText(std::string_view Text)
{
    if (AllAscii(Text))
        return std::string(Text);
    std::string cells;
    cells.reserve(Text.size());
    for (size_t pos = 0; pos < Text.size();) {
        const size_t length = CharLength(Text, pos);
        const auto c = static_cast<unsigned char>(Text[pos]);
        cells.push_back(length == 1 && c < 0x80 ? static_cast<char>(c) : '\x7F');
        pos += length;
    }
    return cells;
}
