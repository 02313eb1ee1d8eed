#include <windows.h>
#include <winspool.h>

#include <set>

#include "platform/IDesktop.h"
#include "platform/core/Rect.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace {

static_assert(sizeof(TAnimationInfo) == sizeof(ANIMATIONINFO), "the animation records agree");
static_assert(sizeof(TRect) == sizeof(RECT), "the rectangles agree");

int CALLBACK AddFamily(const LOGFONTW* Font, const TEXTMETRICW*, DWORD, LPARAM Names)
{
    reinterpret_cast<std::set<std::wstring>*>(Names)->insert(Font->lfFaceName);
    return 1;
}

// The desktop of the interactive user, through the system's own calls.
class TWin32Desktop : public IDesktop {
public:
    // The wallpaper's path comes as UTF-8 and goes to the wide call; every other action passes
    // its buffer through, the records having the system's own layout.
    bool SystemParameters(uint32_t Action, uint32_t Param, void* Buffer, uint32_t Update) override
    {
        if (Action == SystemParameter::SetDeskWallpaper) {
            std::wstring path = Widen(Buffer ? static_cast<const char*>(Buffer) : "");
            return SystemParametersInfoW(Action, 0, path.data(), Update) != 0;
        }
        return SystemParametersInfoW(Action, Param, Buffer, Update) != 0;
    }
    int16_t KeyState(uint8_t VirtualKey) const override { return GetKeyState(VirtualKey); }
    bool KeyboardState(TKeyboardState& State) const override { return GetKeyboardState(State.data()) != 0; }
    bool SetKeyboardState(const TKeyboardState& State) override
    {
        TKeyboardState copy = State;
        return ::SetKeyboardState(copy.data()) != 0;
    }
    void KeyboardEvent(uint8_t VirtualKey, uint8_t ScanCode, uint32_t Flags) override
    {
        keybd_event(VirtualKey, ScanCode, Flags, 0);
    }
    int32_t ScreenWidth() const override { return GetSystemMetrics(SM_CXSCREEN); }
    int32_t ScreenHeight() const override { return GetSystemMetrics(SM_CYSCREEN); }
    int32_t ScreenPixelsPerInch() const override
    {
        HDC screen = GetDC(nullptr);
        const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        return ppi;
    }
    // A context of the display driver, deleted again whatever the queries answer.
    uint32_t ColorBits() const override
    {
        HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
        if (!display)
            return 0;
        const int bits = GetDeviceCaps(display, PLANES) * GetDeviceCaps(display, BITSPIXEL);
        DeleteDC(display);
        return static_cast<uint32_t>(bits);
    }
    std::vector<std::string> FontNames() const override
    {
        std::set<std::wstring> families;
        HDC screen = GetDC(nullptr);
        if (!screen)
            return {};
        LOGFONTW any{};
        any.lfCharSet = DEFAULT_CHARSET;
        EnumFontFamiliesExW(screen, &any, AddFamily, reinterpret_cast<LPARAM>(&families), 0);
        ReleaseDC(nullptr, screen);
        std::vector<std::string> names;
        for (const std::wstring& family : families)
            names.push_back(Narrow(family));
        return names;
    }
    std::vector<std::string> PrinterNames() const override
    {
        DWORD needed = 0, count = 0;
        const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
        EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
        if (needed == 0)
            return {};
        std::vector<BYTE> buffer(needed);
        if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count))
            return {};
        std::vector<std::string> names;
        const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
        for (DWORD i = 0; i < count; ++i)
            names.push_back(Narrow(printers[i].pPrinterName ? printers[i].pPrinterName : L""));
        return names;
    }
};

}  // namespace

IDesktop* Win32Desktop()
{
    static TWin32Desktop desktop;
    return &desktop;
}
