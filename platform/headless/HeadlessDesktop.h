#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/IDesktop.h"
#include "platform/core/Rect.h"

// A desktop whose settings, keys and screen a test sets. Every call that reads or changes a
// setting or a key is written to a log ("spi 17 1 3", "keyboard state", "key 0x90 0x45 1"), so a
// test can tell which calls were made. It starts as a 1024 x 768 screen at 96 pixels per inch
// and 32 bits, with every setting 0 and every key up and off.
class THeadlessDesktop : public IDesktop {
public:
    bool SystemParameters(uint32_t Action, uint32_t Param, void* Buffer, uint32_t Update) override;
    int16_t KeyState(uint8_t VirtualKey) const override;
    bool KeyboardState(TKeyboardState& State) const override;
    bool SetKeyboardState(const TKeyboardState& State) override;
    void KeyboardEvent(uint8_t VirtualKey, uint8_t ScanCode, uint32_t Flags) override;
    int32_t ScreenWidth() const override { return FScreen.Right; }
    int32_t ScreenHeight() const override { return FScreen.Bottom; }
    int32_t ScreenPixelsPerInch() const override { return FPixelsPerInch; }
    uint32_t ColorBits() const override { return FColorBits; }
    std::vector<std::string> FontNames() const override { return FFonts; }
    std::vector<std::string> PrinterNames() const override { return FPrinters; }

    // The value a Get action answers; the matching Set action changes it.
    void SetSetting(uint32_t GetAction, int32_t Value) { FSettings[GetAction] = Value; }
    int32_t Setting(uint32_t GetAction) const;
    void SetWorkArea(const TRect& Area) { FWorkArea = Area; }
    // Makes every call of Action fail without changing anything.
    void Refuse(uint32_t Action) { FRefused.insert(Action); }
    const std::string& Wallpaper() const { return FWallpaper; }
    // The raw key state, high bit held and low bit toggled on, as the system reports it.
    void SetKeyState(uint8_t VirtualKey, int16_t State) { FKeys[VirtualKey] = State; }
    void SetScreen(int32_t Width, int32_t Height) { FScreen = {0, 0, Width, Height}; }
    void SetPixelsPerInch(int32_t Value) { FPixelsPerInch = Value; }
    void SetColorBits(uint32_t Value) { FColorBits = Value; }
    void SetFontNames(std::vector<std::string> Names) { FFonts = std::move(Names); }
    void SetPrinterNames(std::vector<std::string> Names) { FPrinters = std::move(Names); }

    const std::vector<std::string>& Log() const { return FLog; }
    void ClearLog() { FLog.clear(); }

private:
    std::map<uint32_t, int32_t> FSettings;
    std::set<uint32_t> FRefused;
    TRect FWorkArea{0, 0, 1024, 738};
    std::string FWallpaper;
    int16_t FKeys[256] = {};
    TRect FScreen{0, 0, 1024, 768};
    int32_t FPixelsPerInch = 96;
    uint32_t FColorBits = 32;
    std::vector<std::string> FFonts;
    std::vector<std::string> FPrinters;
    std::vector<std::string> FLog;
};
