#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/keysym.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>

#include "platform/IDesktop.h"
#include "platform/core/Rect.h"
#include "platform/linux/LinuxServices.h"

namespace {

// A connection to the X server of DISPLAY for one query, closed with it; no connection when
// there is no display.
class TDisplay {
public:
    TDisplay() : FDisplay(XOpenDisplay(nullptr)) {}
    ~TDisplay()
    {
        if (FDisplay)
            XCloseDisplay(FDisplay);
    }
    TDisplay(const TDisplay&) = delete;
    TDisplay& operator=(const TDisplay&) = delete;
    Display* operator->() const { return FDisplay; }
    operator Display*() const { return FDisplay; }

private:
    Display* FDisplay;
};

// The X indicator that shows a lock key's state.
const char* IndicatorOf(uint8_t VirtualKey)
{
    switch (VirtualKey) {
    case VirtualKeyNumLock: return "Num Lock";
    case VirtualKeyCapsLock: return "Caps Lock";
    case VirtualKeyScrollLock: return "Scroll Lock";
    default: return nullptr;
    }
}

bool IndicatorOn(Display* Dpy, const char* Name)
{
    Bool on = False;
    const Atom atom = XInternAtom(Dpy, Name, True);
    return atom != None && XkbGetNamedIndicator(Dpy, atom, nullptr, &on, nullptr, nullptr) && on;
}

// Num Lock and Caps Lock are locked modifiers; Scroll Lock is only an indicator.
void SetLock(Display* Dpy, uint8_t VirtualKey, bool On)
{
    unsigned mask = 0;
    if (VirtualKey == VirtualKeyCapsLock)
        mask = LockMask;
    else if (VirtualKey == VirtualKeyNumLock)
        mask = XkbKeysymToModifiers(Dpy, XK_Num_Lock);
    if (mask) {
        XkbLockModifiers(Dpy, XkbUseCoreKbd, mask, On ? mask : 0);
    } else if (const Atom atom = XInternAtom(Dpy, IndicatorOf(VirtualKey), True); atom != None) {
        XkbSetNamedIndicator(Dpy, atom, True, On, False, nullptr);
    }
    XSync(Dpy, False);
}

// Key repeat: the desktop settings count the delay in quarter seconds from 250 ms (0 to 3) and
// the rate from about 2.5 (0) to 30 (31) repeats a second, the X server in milliseconds.
int32_t DelaySetting(unsigned Milliseconds) { return std::clamp(static_cast<int32_t>((Milliseconds + 125) / 250) - 1, 0, 3); }
unsigned DelayMilliseconds(int32_t Setting) { return static_cast<unsigned>(std::clamp(Setting, 0, 3) + 1) * 250; }
int32_t SpeedSetting(unsigned IntervalMs)
{
    const double rate = IntervalMs ? 1000.0 / IntervalMs : 30.0;
    return std::clamp(static_cast<int32_t>(std::lround((rate - 2.5) * 31.0 / 27.5)), 0, 31);
}
unsigned SpeedInterval(int32_t Setting)
{
    const double rate = 2.5 + std::clamp(Setting, 0, 31) * 27.5 / 31.0;
    return static_cast<unsigned>(std::lround(1000.0 / rate));
}

bool WriteNumber(void* Buffer, int32_t Value)
{
    if (!Buffer)
        return false;
    std::memcpy(Buffer, &Value, sizeof Value);
    return true;
}

// The desktop of the X server named by DISPLAY: screen figures, lock keys, key repeat, bell and
// screen saver from the server itself, the work area from the window manager's _NET_WORKAREA,
// fonts from fontconfig. Settings Linux has no counterpart of are refused.
class TLinuxDesktop : public IDesktop {
public:
    bool SystemParameters(uint32_t Action, uint32_t Param, void* Buffer, uint32_t Update) override;
    int16_t KeyState(uint8_t VirtualKey) const override
    {
        const TDisplay dpy;
        const char* indicator = IndicatorOf(VirtualKey);
        return dpy && indicator && IndicatorOn(dpy, indicator) ? 1 : 0;
    }
    bool KeyboardState(TKeyboardState& State) const override
    {
        State.fill(0);
        for (uint8_t key : {VirtualKeyNumLock, VirtualKeyCapsLock, VirtualKeyScrollLock})
            State[key] = static_cast<uint8_t>(KeyState(key) & 1);
        return true;
    }
    // Only the three lock keys can be set; the other entries are ignored.
    bool SetKeyboardState(const TKeyboardState& State) override
    {
        const TDisplay dpy;
        if (!dpy)
            return false;
        for (uint8_t key : {VirtualKeyNumLock, VirtualKeyCapsLock, VirtualKeyScrollLock})
            if ((State[key] & 1) != (IndicatorOn(dpy, IndicatorOf(key)) ? 1 : 0))
                SetLock(dpy, key, State[key] & 1);
        return true;
    }
    // Key events are not synthesized: nothing on Linux asks for them.
    void KeyboardEvent(uint8_t, uint8_t, uint32_t) override {}
    int32_t ScreenWidth() const override
    {
        const TDisplay dpy;
        return dpy ? DisplayWidth(static_cast<Display*>(dpy), DefaultScreen(static_cast<Display*>(dpy))) : 0;
    }
    int32_t ScreenHeight() const override
    {
        const TDisplay dpy;
        return dpy ? DisplayHeight(static_cast<Display*>(dpy), DefaultScreen(static_cast<Display*>(dpy))) : 0;
    }
    int32_t ScreenPixelsPerInch() const override;
    uint32_t ColorBits() const override
    {
        const TDisplay dpy;
        return dpy ? static_cast<uint32_t>(DefaultDepth(static_cast<Display*>(dpy), DefaultScreen(static_cast<Display*>(dpy)))) : 0;
    }
    std::vector<std::string> FontNames() const override;
    // Printers are not looked for.
    std::vector<std::string> PrinterNames() const override { return {}; }

private:
    bool WorkArea(Display* Dpy, TRect& Area) const;
};

// The resolution the desktop sets for its fonts (Xft.dpi), else the one the screen's size in
// millimetres gives.
int32_t TLinuxDesktop::ScreenPixelsPerInch() const
{
    const TDisplay dpy;
    if (!dpy)
        return 0;
    if (const char* resources = XResourceManagerString(dpy)) {
        XrmInitialize();
        XrmDatabase db = XrmGetStringDatabase(resources);
        char* type = nullptr;
        XrmValue value{};
        int32_t dpi = 0;
        if (db && XrmGetResource(db, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr)
            dpi = static_cast<int32_t>(std::lround(std::atof(value.addr)));
        if (db)
            XrmDestroyDatabase(db);
        if (dpi > 0)
            return dpi;
    }
    const int screen = DefaultScreen(static_cast<Display*>(dpy));
    const int mm = DisplayHeightMM(static_cast<Display*>(dpy), screen);
    return mm > 0 ? static_cast<int32_t>(std::lround(DisplayHeight(static_cast<Display*>(dpy), screen) * 25.4 / mm)) : 96;
}

std::vector<std::string> TLinuxDesktop::FontNames() const
{
    std::set<std::string> unique;
    std::vector<std::string> names;
    if (!FcInit())
        return names;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family &&
            unique.insert(reinterpret_cast<const char*>(family)).second)
            names.emplace_back(reinterpret_cast<const char*>(family));
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return names;
}

bool TLinuxDesktop::WorkArea(Display* Dpy, TRect& Area) const
{
    const int screen = DefaultScreen(Dpy);
    Area = {0, 0, DisplayWidth(Dpy, screen), DisplayHeight(Dpy, screen)};
    const Atom atom = XInternAtom(Dpy, "_NET_WORKAREA", True);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (atom != None && XGetWindowProperty(Dpy, RootWindow(Dpy, screen), atom, 0, 4, False, XA_CARDINAL, &type, &format,
                                           &count, &after, &data) == Success && data && format == 32 && count >= 4) {
        const long* area = reinterpret_cast<const long*>(data);
        Area = TRect::FromSize(static_cast<int32_t>(area[0]), static_cast<int32_t>(area[1]), static_cast<int32_t>(area[2]),
                               static_cast<int32_t>(area[3]));
    }
    if (data)
        XFree(data);
    return true;
}

bool TLinuxDesktop::SystemParameters(uint32_t Action, uint32_t Param, void* Buffer, uint32_t)
{
    using namespace SystemParameter;
    const TDisplay dpy;
    if (!dpy)
        return false;
    int timeout = 0, interval = 0, blanking = 0, exposures = 0;
    XGetScreenSaver(dpy, &timeout, &interval, &blanking, &exposures);
    XkbDescPtr keyboard = nullptr;
    const auto controls = [&]() -> XkbDescPtr {
        keyboard = XkbGetKeyboard(dpy, XkbControlsMask, XkbUseCoreKbd);
        if (keyboard && !keyboard->ctrls)
            XkbGetControls(dpy, XkbAllControlsMask, keyboard);
        return keyboard && keyboard->ctrls ? keyboard : nullptr;
    };
    bool result = false;
    switch (Action) {
    case GetScreenSaveTimeout: result = WriteNumber(Buffer, timeout); break;
    case GetScreenSaveActive: result = WriteNumber(Buffer, timeout != 0); break;
    case SetScreenSaveActive:
        // Switching it on again restores a time-out of ten minutes, the server's own default.
        XSetScreenSaver(dpy, Param ? (timeout ? timeout : 600) : 0, interval, blanking, exposures);
        XSync(dpy, False);
        result = true;
        break;
    case GetBeep: {
        XKeyboardState state{};
        XGetKeyboardControl(dpy, &state);
        result = WriteNumber(Buffer, state.bell_percent != 0);
        break;
    }
    case SetBeep: {
        XKeyboardControl control{};
        control.bell_percent = Param ? -1 : 0;   // -1: the server's default loudness
        XChangeKeyboardControl(dpy, KBBellPercent, &control);
        XSync(dpy, False);
        result = true;
        break;
    }
    case GetKeyboardDelay:
    case GetKeyboardSpeed:
        if (XkbDescPtr desc = controls())
            result = WriteNumber(Buffer, Action == GetKeyboardDelay ? DelaySetting(desc->ctrls->repeat_delay)
                                                                     : SpeedSetting(desc->ctrls->repeat_interval));
        break;
    case SetKeyboardDelay:
    case SetKeyboardSpeed:
        if (XkbDescPtr desc = controls()) {
            if (Action == SetKeyboardDelay)
                desc->ctrls->repeat_delay = DelayMilliseconds(static_cast<int32_t>(Param));
            else
                desc->ctrls->repeat_interval = SpeedInterval(static_cast<int32_t>(Param));
            result = XkbSetControls(dpy, XkbRepeatKeysMask, desc);
            XSync(dpy, False);
        }
        break;
    case GetWorkArea:
        if (Buffer) {
            TRect area;
            result = WorkArea(dpy, area);
            std::memcpy(Buffer, &area, sizeof area);
        }
        break;
    default: break;
    }
    if (keyboard)
        XkbFreeKeyboard(keyboard, 0, True);
    return result;
}

}  // namespace

IDesktop* LinuxDesktop()
{
    static TLinuxDesktop desktop;
    return &desktop;
}
