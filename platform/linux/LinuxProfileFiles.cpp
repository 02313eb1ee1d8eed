#include "platform/linux/LinuxProfileFiles.h"

#include "platform/linux/LinuxFiles.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/ProfileText.h"
#include "platform/linux/SettingsText.h"

#include <optional>

namespace {

// A profile file is UTF-8 (or plain ASCII), or UTF-16 in either byte order when it starts with
// the matching byte-order mark, as the profile functions elsewhere read it. The text is worked
// on as UTF-8 and written back in the encoding it came in.
struct ProfileBytes {
    enum Encoding { Utf8, Utf16LittleEndian, Utf16BigEndian } Kind = Utf8;
    std::string Text;
};

std::optional<ProfileBytes> DecodeProfile(const std::string& Bytes)
{
    const bool little = Bytes.compare(0, 2, "\xFF\xFE") == 0, big = Bytes.compare(0, 2, "\xFE\xFF") == 0;
    if (!little && !big)
        return ProfileBytes{ProfileBytes::Utf8, Bytes};
    auto text = Utf8FromUtf16(std::string_view(Bytes).substr(2), big);
    if (!text)
        return std::nullopt;
    return ProfileBytes{little ? ProfileBytes::Utf16LittleEndian : ProfileBytes::Utf16BigEndian, std::move(*text)};
}

std::optional<std::string> EncodeProfile(const ProfileBytes& Profile)
{
    if (Profile.Kind == ProfileBytes::Utf8)
        return Profile.Text;
    const bool big = Profile.Kind == ProfileBytes::Utf16BigEndian;
    const auto units = Utf16FromUtf8(Profile.Text, big);
    if (!units)
        return std::nullopt;
    return (big ? std::string("\xFE\xFF") : std::string("\xFF\xFE")) + *units;
}

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
    const auto profile = file.Status == FileReadStatus::Ok ? DecodeProfile(file.Bytes) : std::nullopt;
    if (!profile)
        return FirstChars(Default, MaxChars);
    return FirstChars(TProfileText(profile->Text).Value(Section, Key).value_or(Default), MaxChars);
}

bool TLinuxProfileFiles::WriteString(const std::string& Path, const std::string& Section, const std::string& Key,
                                     const std::string& Value)
{
    if (!IsAbsolute(Path) || !IsWritableEntry(Section, Key, Value))
        return false;
    // A file that exists but cannot be read or decoded is not replaced: its other lines would
    // be lost.
    const FileReadResult file = ReadWholeFile(Path, MaxSettingsFileBytes);
    auto profile = file.Status != FileReadStatus::Unreadable ? DecodeProfile(file.Bytes) : std::nullopt;
    if (!profile)
        return false;
    TProfileText text(std::move(profile->Text));
    text.SetValue(Section, Key, Value);
    profile->Text = text.Text();
    const auto bytes = EncodeProfile(*profile);
    return bytes && ReplaceFileAtomically(Path, *bytes);
}

IProfileFiles* LinuxProfileFiles()
{
    static TLinuxProfileFiles files;
    return &files;
}
