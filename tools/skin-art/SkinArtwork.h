#pragma once
#include "platform/core/Rect.h"
#include "skin/SkinBitmaps.h"

class TBitmap;

// Draws one piece of the skin artwork onto Picture (sized here) and says which edges keep
// their size when the piece is stretched. Key-coloured pixels are holes.
void DrawSkinArtwork(TSkinPiece Piece, TBitmap& Picture, TRect& Margins);
// The piece's name, as the generated data names its pixels.
const char* SkinArtworkName(TSkinPiece Piece);
