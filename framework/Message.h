#pragma once
#include <cstdint>

#include "platform/INativeWindows.h"

// A window message with the system's numbers. Result is what the handler answers; it starts
// at 0. Shift holds the modifier keys and buttons at the time the message was made, which the
// system would otherwise be asked for.
struct TMessage {
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
    intptr_t Result = 0;
    TShiftState Shift = 0;
};

constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_ACTIVATE = 0x0006;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSCOMMAND = 0x0112;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_USER = 0x0400;

// The framework's own messages.
constexpr uint32_t CM_RELEASE = 0xB000 + 33;

// WM_ACTIVATE: the low word of WParam.
constexpr uint32_t WA_INACTIVE = 0;
constexpr uint32_t WA_ACTIVE = 1;
constexpr uint32_t WA_CLICKACTIVE = 2;

// WM_SYSCOMMAND commands.
constexpr uint32_t SC_CLOSE = 0xF060;
constexpr uint32_t SC_SCREENSAVE = 0xF140;

// WM_NCLBUTTONDOWN hit-test codes.
constexpr uintptr_t HTCAPTION = 2;

// Mouse message WParam key flags.
constexpr uintptr_t MK_LBUTTON = 0x0001;
constexpr uintptr_t MK_RBUTTON = 0x0002;
constexpr uintptr_t MK_SHIFT = 0x0004;
constexpr uintptr_t MK_CONTROL = 0x0008;
constexpr uintptr_t MK_MBUTTON = 0x0010;

// Packs a client position into a mouse message's LParam (16 signed bits each) and back.
constexpr intptr_t PointToLParam(TPoint p)
{
    return static_cast<intptr_t>((static_cast<uint32_t>(static_cast<uint16_t>(p.Y)) << 16) |
                                 static_cast<uint16_t>(p.X));
}
constexpr TPoint LParamToPoint(intptr_t l)
{
    return {static_cast<int16_t>(l & 0xFFFF), static_cast<int16_t>((static_cast<uint32_t>(l) >> 16) & 0xFFFF)};
}
constexpr uint16_t LoWord(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
constexpr int16_t HiWordSigned(uintptr_t v) { return static_cast<int16_t>((v >> 16) & 0xFFFF); }
