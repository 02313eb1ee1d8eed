#pragma once
#include <cstdint>

#include "platform/core/Rect.h"

class TBitmap;
class TCanvas;

// The pieces of the skin artwork, in the order the generated pixel data lists them. The
// pictures are made by tools/skin-art from the program's own canvas and compiled in as
// skin/SkinBitmapData.cpp, the same on every target.
enum class TSkinPiece : uint8_t {
    ButtonNormal,
    ButtonHot,
    ButtonPressed,
    ButtonFocused,
    ButtonDisabled,
    RadioOff,
    RadioOn,
    RadioOffHot,
    RadioOnHot,
    RadioOffDisabled,
    RadioOnDisabled,
    TabActive,
    TabInactive,
    TabHot,
    TitleBar,
    TitleButtonHot,
    TitleButtonPressed,
    CloseButtonHot,
    CloseButtonPressed,
    GlyphMinimize,
    GlyphMaximize,
    GlyphClose,
    GlyphCloseLight,
    PanelCaption,
    DropArrow,
    DropArrowDisabled,
    FormIcon,
    Count
};
constexpr int SkinPieceCount = static_cast<int>(TSkinPiece::Count);

// Pixels of this colour (0x00RRGGBB) are holes: whatever lies beneath shows through them.
constexpr uint32_t SkinKeyPixel = 0x00FF00FF;

// One piece as the generated data holds it. Margins are the widths of the edges that keep
// their size when the piece is stretched (nine-slice); all zero for a piece drawn at its size.
struct TSkinPieceData {
    const char* Name;
    int32_t Width;
    int32_t Height;
    TRect Margins;   // left, top, right, bottom edge widths
    const uint32_t* Pixels;
};

// The generated table, indexed by TSkinPiece.
const TSkinPieceData& SkinPieceData(TSkinPiece Piece);

// The piece as a bitmap, made from the compiled-in pixels on first use.
const TBitmap& SkinBitmap(TSkinPiece Piece);
int32_t SkinWidth(TSkinPiece Piece);
int32_t SkinHeight(TSkinPiece Piece);

// Draws the piece at its own size with its top-left corner at (X, Y) of the canvas, leaving the
// key-coloured pixels alone, inside the canvas's clip.
void DrawSkin(TCanvas& Canvas, TSkinPiece Piece, int32_t X, int32_t Y);
// Draws the piece stretched over Dest: corners at their size, edges and middle repeated by
// stretching, holes left alone.
void DrawSkinStretched(TCanvas& Canvas, TSkinPiece Piece, const TRect& Dest);
