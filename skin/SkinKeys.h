#pragma once
#include <cstdint>

// Virtual-key codes with the system's numbers, for the skinned controls' keyboard handling.
namespace SkinKey {
constexpr uint16_t Tab = 0x09;
constexpr uint16_t Return = 0x0D;
constexpr uint16_t Escape = 0x1B;
constexpr uint16_t Space = 0x20;
constexpr uint16_t Prior = 0x21;
constexpr uint16_t Next = 0x22;
constexpr uint16_t End = 0x23;
constexpr uint16_t Home = 0x24;
constexpr uint16_t Left = 0x25;
constexpr uint16_t Up = 0x26;
constexpr uint16_t Right = 0x27;
constexpr uint16_t Down = 0x28;
constexpr uint16_t F4 = 0x73;
}  // namespace SkinKey
