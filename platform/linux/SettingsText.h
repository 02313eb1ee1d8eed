#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text rules that the settings files of the Linux backend (profile files and key files)
// share: what a blank is, how names compare, where lines begin and end.

// Space, tab, carriage return, form feed and vertical tab.
bool IsSettingsBlank(char c);

// Text without the blanks around it.
std::string_view TrimmedText(std::string_view Text);

// Names compare without regard to the case of ASCII letters; other bytes compare as they are.
bool SameName(std::string_view A, std::string_view B);

// The length of a UTF-8 byte-order mark at the start of Text (3), or 0; the mark belongs to no
// line, so the first line can still start a section or carry a value.
size_t ByteOrderMarkLength(std::string_view Text);

// One line of a text: its bytes start at Begin, Length of them come before the line break,
// which is BreakLength bytes long (2 for CR LF, 1 for LF, 0 for a last line without one).
struct TTextLine {
    size_t Begin = 0;
    size_t Length = 0;
    size_t BreakLength = 0;

    size_t End() const { return Begin + Length + BreakLength; }
    std::string_view In(std::string_view Text) const { return Text.substr(Begin, Length); }
};

// The line of Text that starts at Begin (which must be below Text.size()).
TTextLine LineAt(std::string_view Text, size_t Begin);

// UTF-8 to UTF-16 (little-endian unless BigEndian), without a byte-order mark; nothing for a
// text that is no valid UTF-8.
std::optional<std::string> Utf16FromUtf8(std::string_view Text, bool BigEndian);

// UTF-16 (little-endian unless BigEndian) to UTF-8; nothing for an odd number of bytes or a
// surrogate without its partner.
std::optional<std::string> Utf8FromUtf16(std::string_view Data, bool BigEndian);

// Appends one UTF-16 code unit, little-endian unless BigEndian.
void PutUnit(std::string& Out, uint32_t Unit, bool BigEndian = false);
