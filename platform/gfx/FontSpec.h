#pragma once
#include <cstdint>
#include <string>

#include "platform/core/Color.h"

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// Character sets with the system's numbers; only used to pick a face, text is UTF-8 throughout.
// (Named apart from the system's own macros, which would otherwise replace these names.)
constexpr uint8_t AnsiCharset = 0;
constexpr uint8_t DefaultCharset = 1;

// What a text is drawn with. Height is the character height in pixels (the em size, without
// internal leading), as a negative font height means to the system's font mapper. The engines
// draw heights below MinFontHeight and above MaxFontHeight at the nearest of the two.
struct TFontSpec {
    std::string Name = "Tw Cen MT";
    int32_t Height = 11;
    uint8_t Charset = DefaultCharset;
    uint8_t Style = 0;   // TFontStyle bits
    TColor Color = clBlack;

    friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

constexpr int32_t MinFontHeight = 1;
constexpr int32_t MaxFontHeight = 1024;
