#pragma once
#include <string>

#include "platform/gfx/FontSpec.h"

// The face the skinned controls write with: Tahoma where it is installed, otherwise the first
// installed of a few plain sans faces of similar build, otherwise Tahoma anyway (the font
// engine then picks its own fallback).
const std::string& SkinFaceName();

// The skin's text font: the skin face at Height pixels with Style and Color.
TFontSpec SkinFont(int32_t Height = 11, uint8_t Style = 0, TColor Color = clBlack);
