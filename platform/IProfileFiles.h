#pragma once
#include <cstddef>
#include <string>

// Private profile (INI) files: "[Section]" lines with "key=value" lines below them. Section and
// key names compare without regard to case; a value is read without the blanks around it and
// without one pair of enclosing quotes. Paths are UTF-8 and absolute.
class IProfileFiles {
public:
    virtual ~IProfileFiles() = default;
    // The value of Key in Section, at most MaxChars characters, or Default when the file, the
    // section or the key is missing.
    virtual std::string GetString(const std::string& Path, const std::string& Section, const std::string& Key,
                                  const std::string& Default, size_t MaxChars) = 0;
    // Sets Key in Section, creating the file or the section when missing and keeping every other
    // line as it was. False when the file cannot be written.
    virtual bool WriteString(const std::string& Path, const std::string& Section, const std::string& Key,
                             const std::string& Value) = 0;
};
