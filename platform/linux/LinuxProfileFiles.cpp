#include "platform/linux/LinuxProfileFiles.h"

#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/ProfileText.h"

namespace {

bool IsAbsolute(const std::string& Path) { return !Path.empty() && Path.front() == '/'; }

// The first MaxChars characters of a UTF-8 text; a character is a lead byte with its
// continuation bytes, so no character is cut in two.
std::string FirstChars(const std::string& Text, size_t MaxChars)
{
    size_t chars = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80;
        if (!continuation && chars++ == MaxChars)
            return Text.substr(0, i);
    }
    return Text;
}

// Names and values that would change more than one line of the file, or that a later read
// could not find again, are refused rather than written.
bool IsWritableEntry(const std::string& Section, const std::string& Key, const std::string& Value)
{
    const auto hasBreak = [](const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; };
    return !Section.empty() && !Key.empty() && !hasBreak(Section) && !hasBreak(Key) && !hasBreak(Value)
        && Section.find(']') == std::string::npos && Key.find('=') == std::string::npos && Key.front() != '[';
}

}  // namespace

std::string TLinuxProfileFiles::GetString(const std::string& Path, const std::string& Section, const std::string& Key,
                                          const std::string& Default, size_t MaxChars)
{
    if (!IsAbsolute(Path))
        return FirstChars(Default, MaxChars);
    const FileReadResult file = ReadWholeFile(Path, MaxSettingsFileBytes);
    if (file.Status != FileReadStatus::Ok)
        return FirstChars(Default, MaxChars);
    return FirstChars(TProfileText(file.Bytes).Value(Section, Key).value_or(Default), MaxChars);
}

bool TLinuxProfileFiles::WriteString(const std::string& Path, const std::string& Section, const std::string& Key,
                                     const std::string& Value)
{
    if (!IsAbsolute(Path) || !IsWritableEntry(Section, Key, Value))
        return false;
    // A file that exists but cannot be read is not replaced: its other lines would be lost.
    const FileReadResult file = ReadWholeFile(Path, MaxSettingsFileBytes);
    if (file.Status == FileReadStatus::Unreadable)
        return false;
    TProfileText text(file.Bytes);
    text.SetValue(Section, Key, Value);
    return ReplaceFileAtomically(Path, text.Text());
}

IProfileFiles* LinuxProfileFiles()
{
    static TLinuxProfileFiles files;
    return &files;
}
