#include "app/SettingsStore.h"

#include <memory>

#include "platform/IProcessInfo.h"
#include "platform/IProfileFiles.h"
#include "platform/IRegistry.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/core/Numeric.h"

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

}  // namespace

int32_t ReadStyle()
{
    std::unique_ptr<IRegistryKey> key = OpenStyleKey(KEY_READ_MASK, false);
    if (!key)
        return DefaultStyle;
    return ReadInteger(*key, StyleValueName);   // the key closes on every way out
}

bool WriteStyle(int32_t Value)
{
    std::unique_ptr<IRegistryKey> key = OpenStyleKey(KEY_ALL_ACCESS_MASK, true);
    if (!key)
        return false;
    WriteInteger(*key, StyleValueName, Value);
    return true;
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
    return TryStrToInt(text).value_or(Default);
}
