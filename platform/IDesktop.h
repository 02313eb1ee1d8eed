#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Actions of the desktop-settings call, with the system's numbers. A Get action writes its
// answer into the buffer it is given (a 32-bit number, a TAnimationInfo or a TRect); a Set
// action takes the new value as its parameter.
namespace SystemParameter {
constexpr uint32_t GetBeep = 1;
constexpr uint32_t SetBeep = 2;
constexpr uint32_t GetKeyboardSpeed = 10;
constexpr uint32_t SetKeyboardSpeed = 11;
constexpr uint32_t GetScreenSaveTimeout = 14;
constexpr uint32_t GetScreenSaveActive = 16;
constexpr uint32_t SetScreenSaveActive = 17;
constexpr uint32_t SetDeskWallpaper = 20;
constexpr uint32_t GetKeyboardDelay = 22;
constexpr uint32_t SetKeyboardDelay = 23;
constexpr uint32_t SetDragFullWindows = 37;
constexpr uint32_t GetDragFullWindows = 38;
constexpr uint32_t GetWorkArea = 48;
constexpr uint32_t GetAnimation = 72;
constexpr uint32_t SetAnimation = 73;
constexpr uint32_t GetFontSmoothing = 74;
constexpr uint32_t SetFontSmoothing = 75;
constexpr uint32_t GetSnapToDefaultButton = 95;
constexpr uint32_t SetSnapToDefaultButton = 96;
// Write the change to the user's profile and tell every window of it.
constexpr uint32_t UpdateProfileAndBroadcast = 3;
}  // namespace SystemParameter

// The minimize and restore animation setting (8 bytes).
struct TAnimationInfo {
    uint32_t Size = 8;
    int32_t MinAnimate = 0;
};
static_assert(sizeof(TAnimationInfo) == 8, "the animation record is 8 bytes");

// Virtual keys of the three lock keys and the flags of a synthesized key event.
constexpr uint8_t VirtualKeyNumLock = 0x90;
constexpr uint8_t VirtualKeyCapsLock = 0x14;
constexpr uint8_t VirtualKeyScrollLock = 0x91;
constexpr uint32_t KeyEventExtendedKey = 1;
constexpr uint32_t KeyEventKeyUp = 2;

using TKeyboardState = std::array<uint8_t, 256>;

// The desktop the program runs on: its screen, its keyboard and its user settings. The real
// backends ask and change the system; the headless backend keeps what a test set and logs every
// change, so tests never touch a person's desktop.
class IDesktop {
public:
    virtual ~IDesktop() = default;
    // Reads or changes one setting (SystemParameter); false when the system refuses the action
    // or does not have the setting.
    virtual bool SystemParameters(uint32_t Action, uint32_t Param, void* Buffer, uint32_t Update) = 0;
    // The state of a virtual key: the high bit is set while the key is held, the low bit while
    // a toggle key is on.
    virtual int16_t KeyState(uint8_t VirtualKey) const = 0;
    // The states of all 256 virtual keys of the calling thread; false when they cannot be read.
    virtual bool KeyboardState(TKeyboardState& State) const = 0;
    virtual bool SetKeyboardState(const TKeyboardState& State) = 0;
    // Synthesizes a press or release of a key (KeyEvent flags).
    virtual void KeyboardEvent(uint8_t VirtualKey, uint8_t ScanCode, uint32_t Flags) = 0;
    // The primary screen in pixels, 0 when there is no screen to ask.
    virtual int32_t ScreenWidth() const = 0;
    virtual int32_t ScreenHeight() const = 0;
    // Logical pixels per inch of the screen.
    virtual int32_t ScreenPixelsPerInch() const = 0;
    // Colour planes times bits per pixel of the display.
    virtual uint32_t ColorBits() const = 0;
    // The names of the installed font families and printers, in the order the system lists them.
    virtual std::vector<std::string> FontNames() const = 0;
    virtual std::vector<std::string> PrinterNames() const = 0;
};
