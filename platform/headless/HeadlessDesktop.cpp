#include "platform/headless/HeadlessDesktop.h"

#include <cstdio>
#include <cstring>

namespace {

std::string Hex(unsigned Value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", Value);
    return text;
}

// The Get action whose value a Set action changes, or 0 for an action that changes none.
uint32_t SettingOf(uint32_t SetAction)
{
    using namespace SystemParameter;
    switch (SetAction) {
    case SetBeep: return GetBeep;
    case SetKeyboardSpeed: return GetKeyboardSpeed;
    case SetScreenSaveActive: return GetScreenSaveActive;
    case SetKeyboardDelay: return GetKeyboardDelay;
    case SetDragFullWindows: return GetDragFullWindows;
    case SetFontSmoothing: return GetFontSmoothing;
    case SetSnapToDefaultButton: return GetSnapToDefaultButton;
    default: return 0;
    }
}

}  // namespace

int32_t THeadlessDesktop::Setting(uint32_t GetAction) const
{
    const auto found = FSettings.find(GetAction);
    return found == FSettings.end() ? 0 : found->second;
}

bool THeadlessDesktop::SystemParameters(uint32_t Action, uint32_t Param, void* Buffer, uint32_t Update)
{
    using namespace SystemParameter;
    FLog.push_back("spi " + std::to_string(Action) + " " + std::to_string(Param) + " " + std::to_string(Update));
    if (FRefused.count(Action))
        return false;
    switch (Action) {
    case GetAnimation: {
        if (!Buffer || static_cast<TAnimationInfo*>(Buffer)->Size != sizeof(TAnimationInfo) || Param != sizeof(TAnimationInfo))
            return false;
        static_cast<TAnimationInfo*>(Buffer)->MinAnimate = Setting(GetAnimation);
        return true;
    }
    case SetAnimation:
        if (!Buffer || Param != sizeof(TAnimationInfo))
            return false;
        FSettings[GetAnimation] = static_cast<const TAnimationInfo*>(Buffer)->MinAnimate;
        return true;
    case GetWorkArea:
        if (!Buffer)
            return false;
        std::memcpy(Buffer, &FWorkArea, sizeof FWorkArea);
        return true;
    case SetDeskWallpaper:
        FWallpaper = Buffer ? static_cast<const char*>(Buffer) : "";
        return true;
    default:
        break;
    }
    if (const uint32_t setting = SettingOf(Action)) {
        FSettings[setting] = static_cast<int32_t>(Param);
        return true;
    }
    if (!Buffer)
        return false;
    const int32_t value = Setting(Action);
    std::memcpy(Buffer, &value, sizeof value);
    return true;
}

int16_t THeadlessDesktop::KeyState(uint8_t VirtualKey) const { return FKeys[VirtualKey]; }

bool THeadlessDesktop::KeyboardState(TKeyboardState& State) const
{
    for (size_t key = 0; key < State.size(); ++key)
        State[key] = static_cast<uint8_t>((FKeys[key] & 0x8000 ? 0x80 : 0) | (FKeys[key] & 1));
    return true;
}

bool THeadlessDesktop::SetKeyboardState(const TKeyboardState& State)
{
    FLog.push_back("keyboard state");
    for (size_t key = 0; key < State.size(); ++key)
        FKeys[key] = static_cast<int16_t>((State[key] & 0x80 ? 0x8000 : 0) | (State[key] & 1));
    return true;
}

// A release of a toggle key switches it, as the system does.
void THeadlessDesktop::KeyboardEvent(uint8_t VirtualKey, uint8_t ScanCode, uint32_t Flags)
{
    FLog.push_back("key " + Hex(VirtualKey) + " " + Hex(ScanCode) + " " + std::to_string(Flags));
    if (Flags & KeyEventKeyUp)
        FKeys[VirtualKey] = static_cast<int16_t>(FKeys[VirtualKey] ^ 1);
}
