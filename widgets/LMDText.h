#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Texts are UTF-8, and an LED readout shows one cell per character. These helpers count and
// convert by character: a well-formed multi-byte sequence is one character, and every byte
// that is not part of one (broken or foreign text) counts as a character of its own, so any
// byte string has a definite length.

// The number of characters of Text.
size_t LMDCharCount(std::string_view Text);

// The first Count characters of Text (all of it when it is shorter).
std::string LMDLeftChars(std::string_view Text, size_t Count);

// Text as the renderer takes it, one byte per character: ASCII stays as it is and every other
// character becomes code 127, which has no segments and shows as a blank cell.
std::string LMDCellText(std::string_view Text);
