#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/SettingsText.h"

// The text of a profile (INI) file, read and changed one key at a time.
//
// A section starts at a line whose first non-blank character is "[" and that has a "]" later;
// its name is the text between them without surrounding blanks. A key is a line of a section
// with a "=", its name the text before the first "=" without surrounding blanks. Names compare
// without regard to case (ASCII letters). When a section or a key occurs twice, the first one
// counts, for reading and for writing alike. Lines before the first section, lines without
// "=", and bytes that are no text at all belong to no key and are kept as they are.
//
// Only the text itself is kept: every look-up walks its lines afresh, so a file of many short
// lines takes no more memory than its bytes.
class TProfileText {
public:
    explicit TProfileText(std::string Text) : FText(std::move(Text)) {}

    const std::string& Text() const { return FText; }

    // The value of the key without the blanks around it and without one pair of enclosing
    // double or single quotes; nothing when the section or the key is missing.
    std::optional<std::string> Value(const std::string& Section, const std::string& Key) const;

    // Sets the key to Value. An existing key line is replaced by the key's name as the
    // file spells it, "=" and the value, keeping its line break; a
    // missing key goes below the last non-blank line of its section; a missing section is
    // appended at the end of the text. No other byte changes, except that a last line without
    // a line break gets one when something is added after it. New lines end like the text's
    // first line (CR LF or LF).
    void SetValue(const std::string& Section, const std::string& Key, const std::string& Value);

private:
    struct Location {
        std::optional<TTextLine> Section;
        std::optional<TTextLine> Key;
        TTextLine LastInSection;   // the section's last non-blank line, its own line when it has none
    };

    Location Find(const std::string& Section, const std::string& Key) const;
    std::string LineBreak() const;
    void InsertAfter(const TTextLine& Line, const std::string& NewLines);
    void Append(const std::string& NewLines);

    std::string FText;
};
