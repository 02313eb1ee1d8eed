#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/IRegistry.h"

// The text of one key of the Linux key store, in the registry's export syntax:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Kestrune\Screensaver]
//   "Style"=dword:00000001
//   "Name"="text"
//   "Data"=hex:01,02,03
//   "Wide"=hex(b):01,00,00,00,00,00,00,00
//   @="the default value"
//
// The text is UTF-8. Names are quoted with \\ and \" as the only escapes; @ is the unnamed
// value; hexadecimal lists may go on over lines that end in a backslash. Every value keeps its
// type: dword is the 32-bit number type, a quoted text the string type (held as UTF-16LE with a
// terminating null, as the registry holds strings), hex the binary type and hex(n) type n.
// Empty lines, lines starting with ";", the header line and the bracketed key line carry no
// value, and neither does any line that does not start with a name and "=": such a line is
// passed over and kept as it is, so one stray line costs no other value. A value line whose
// data cannot be read spoils that value alone: it reads as unreadable until it is set anew.
class TRegFileText {
public:
    struct Value {
        RegValueType Type = RegValueType::None;
        std::string Data;   // the bytes the registry keeps
    };

    explicit TRegFileText(std::string Text);

    // The text of a key that has no values yet.
    static std::string EmptyKey(const std::string& KeyName);

    const std::string& Text() const { return FText; }

    // The value with this name (compared without regard to case); nothing when it is missing or
    // its data cannot be read. When a name occurs twice, the later line counts.
    std::optional<Value> Find(const std::string& Name) const;

    // Sets a value: the first line of the name is replaced in place (later lines of the same
    // name go), or a new line is appended. Every other line stays byte for byte.
    void Set(const std::string& Name, const Value& NewValue);

private:
    // One line of the text with its continuation lines. A value line has a name and, when its
    // data could be read, the value; other lines have neither.
    struct Entry {
        size_t Begin;   // first byte of the entry's first line
        size_t End;     // one past the line break of its last line
        std::optional<std::string> Name;
        std::optional<Value> Data;
    };

    // The text is walked afresh for every look-up, so reading a file keeps no record per line.
    template <typename Visitor>
    void ForEachEntry(Visitor Visit) const;
    Entry EntryAt(size_t Begin) const;

    std::string FText;
};
