#pragma once
#include <cstdint>

#include <gdk/gdk.h>

// The virtual key code that the program's key handlers expect for an X key symbol: letters
// as 'A' to 'Z' whatever the case, digits as '0' to '9', the keypad, function, editing and
// modifier keys with the codes the other platform's keyboard driver gives them. A key symbol
// without such a code gives VkUnknown, so every key press still arrives as a key event.
constexpr uint16_t VkUnknown = 0xFF;

uint16_t VirtualKeyFromKeySym(unsigned int KeySym);

// Whether the key symbol belongs to the numeric keypad, whose meaning follows the Num Lock
// state instead of the key's position.
bool IsKeypadKeySym(unsigned int KeySym);

// The code of a key by its place on the keyboard: the key symbol it gives without modifiers in
// the first layout, so Shift+1 is still '1' and a letter of another alphabet still has the code
// of its position. The keypad follows Num Lock instead, which KeySym (the symbol the key gave,
// or 0 when unknown) carries.
uint16_t VirtualKeyOfKey(GdkKeymap* Keymap, unsigned int HardwareKeycode, unsigned int KeySym);
