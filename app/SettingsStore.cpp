#include "app/SettingsStore.h"

#include <memory>

#include "platform/IProcessInfo.h"
#include "platform/IProfileFiles.h"
#include "platform/IRegistry.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"

namespace {

const char* const StyleKeyPath = "Software\\Kestrune\\Screensaver";
const char* const StyleValueName = "Style";
const char* const ColorFileName = "Quorvel.ini";
const char* const ColorSection = "Skin";
const char* const ColorKey = "skin";
constexpr int32_t DefaultStyle = 1;
constexpr int32_t DefaultClockColor = 255;
constexpr size_t MaxColorChars = 2047;

// A platform without a registry behaves as one without the key.
std::unique_ptr<IRegistryKey> OpenStyleKey(uint32_t Access, bool Create)
{
    IRegistry* registry = CurrentPlatform().Registry;
    if (!registry)
        return nullptr;
    return registry->OpenKey(RegRoot::LocalMachine, StyleKeyPath, Access, Create);
}

// Reads a value of exactly the 32-bit number type. The buffer starts zeroed so a shorter value
// reads as its bytes followed by zeros, never as leftover memory.
int32_t ReadInteger(IRegistryKey& Key, const char* Name)
{
    unsigned char buffer[4] = {0, 0, 0, 0};
    const RegQueryResult result = Key.QueryValue(Name, buffer, sizeof buffer);
    if (!result.Ok)
        throw Exception::Fmt("Failed to get data for '%s'", {Name});
    if (result.Type != RegValueType::Dword)
        throw Exception::Fmt("Invalid data type for '%s'", {Name});
    const uint32_t bits = buffer[0] | buffer[1] << 8 | buffer[2] << 16 | static_cast<uint32_t>(buffer[3]) << 24;
    return static_cast<int32_t>(bits);
}

void WriteInteger(IRegistryKey& Key, const char* Name, int32_t Value)
{
    const uint32_t bits = static_cast<uint32_t>(Value);
    const unsigned char data[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                   static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    if (!Key.SetValue(Name, RegValueType::Dword, data, sizeof data))
        throw Exception::Fmt("Failed to set data for '%s'", {Name});
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Accumulates the digits from Pos to the end in the given base; false on an empty digit run, a
// character that is no digit, or a magnitude above Limit.
bool ParseMagnitude(const std::string& Text, size_t Pos, int Base, uint64_t Limit, uint64_t& Magnitude)
{
    if (Pos >= Text.size())
        return false;
    Magnitude = 0;
    for (; Pos < Text.size(); ++Pos) {
        const int digit = HexDigitValue(Text[Pos]);
        if (digit < 0 || digit >= Base)
            return false;
        Magnitude = Magnitude * Base + digit;
        if (Magnitude > Limit)
            return false;
    }
    return true;
}

}  // namespace

int32_t ReadStyle()
{
    std::unique_ptr<IRegistryKey> key = OpenStyleKey(KEY_READ_MASK, false);
    if (!key)
        return DefaultStyle;
    return ReadInteger(*key, StyleValueName);   // the key closes on every way out
}

void WriteStyle(int32_t Value)
{
    std::unique_ptr<IRegistryKey> key = OpenStyleKey(KEY_ALL_ACCESS_MASK, true);
    if (key)
        WriteInteger(*key, StyleValueName, Value);
}

std::string ClockColorFilePath()
{
    IProcessInfo* process = CurrentPlatform().Process;
    return (process ? process->ExecutableDirectory() : std::string()) + ColorFileName;
}

int32_t ReadClockColor()
{
    IProfileFiles* profiles = CurrentPlatform().Profiles;
    if (!profiles)
        return DefaultClockColor;
    const std::string text = profiles->GetString(ClockColorFilePath(), ColorSection, ColorKey, "", MaxColorChars);
    return ClockColorFromText(text, DefaultClockColor);
}

void WriteClockColor(int32_t Value)
{
    const std::string path = ClockColorFilePath();
    IProfileFiles* profiles = CurrentPlatform().Profiles;
    if (!profiles || !profiles->WriteString(path, ColorSection, ColorKey, std::to_string(Value)))
        throw Exception::Fmt("Unable to write to %s", {path});
}

int32_t ClockColorFromText(const std::string& Text, int32_t Default)
{
    std::string text = Text;
    if (text.size() > 2 && (text.compare(0, 2, "0x") == 0 || text.compare(0, 2, "0X") == 0))
        text.replace(0, 2, "$");
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    uint64_t magnitude = 0;
    if (pos < text.size() && text[pos] == '$') {
        // Hexadecimal spells a 32-bit pattern; a sign in front negates that pattern.
        if (!ParseMagnitude(text, pos + 1, 16, 0xFFFFFFFFu, magnitude))
            return Default;
        const uint32_t bits = static_cast<uint32_t>(magnitude);
        return static_cast<int32_t>(negative ? 0u - bits : bits);
    }
    const uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    if (!ParseMagnitude(text, pos, 10, limit, magnitude))
        return Default;
    const uint32_t bits = static_cast<uint32_t>(magnitude);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
}
