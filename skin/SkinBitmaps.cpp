#include "skin/SkinBitmaps.h"

#include <array>
#include <memory>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace {

// Copies Source (piece coordinates) stretched onto Dest (canvas coordinates), each destination
// pixel taking the source pixel under its centre, skipping holes and staying inside the clip.
void BlitPart(TCanvas& Canvas, const TSkinPieceData& Piece, const TRect& Source, const TRect& Dest)
{
    TBitmap* surface = Canvas.Surface();
    if (!surface || Source.IsEmpty() || Dest.IsEmpty())
        return;
    const TPoint o = Canvas.Origin();
    const TRect clip = Canvas.ClipRect().Intersected(Dest);
    for (int32_t y = clip.Top; y < clip.Bottom; ++y) {
        const int32_t sy = Source.Top + static_cast<int32_t>((int64_t(y - Dest.Top) * 2 + 1) * Source.Height() /
                                                             (int64_t(Dest.Height()) * 2));
        const uint32_t* row = Piece.Pixels + static_cast<size_t>(sy) * Piece.Width;
        TPixel* out = surface->Scanline(y + o.Y);
        for (int32_t x = clip.Left; x < clip.Right; ++x) {
            const int32_t sx = Source.Left + static_cast<int32_t>((int64_t(x - Dest.Left) * 2 + 1) * Source.Width() /
                                                                  (int64_t(Dest.Width()) * 2));
            const uint32_t p = row[sx];
            if (p != SkinKeyPixel)
                out[x + o.X] = p;
        }
    }
}

// The three spans (start, end) of one axis: the fixed first edge, the stretched middle and the
// fixed last edge; edges shrink evenly when the destination is smaller than both together.
struct TSpans {
    int32_t Source[4];
    int32_t Dest[4];
};

TSpans Spans(int32_t SourceSize, int32_t First, int32_t Last, int32_t DestStart, int32_t DestSize)
{
    if (First + Last > DestSize) {
        const int32_t excess = First + Last - DestSize;
        const int32_t cutFirst = excess / 2;
        First -= cutFirst;
        Last -= excess - cutFirst;
    }
    return {{0, First, SourceSize - Last, SourceSize},
            {DestStart, DestStart + First, DestStart + DestSize - Last, DestStart + DestSize}};
}

}  // namespace

const TBitmap& SkinBitmap(TSkinPiece Piece)
{
    static std::array<std::unique_ptr<TBitmap>, SkinPieceCount> made;
    std::unique_ptr<TBitmap>& slot = made[static_cast<size_t>(Piece)];
    if (!slot) {
        const TSkinPieceData& d = SkinPieceData(Piece);
        slot = std::make_unique<TBitmap>(d.Width, d.Height);
        for (int32_t y = 0; y < d.Height; ++y)
            for (int32_t x = 0; x < d.Width; ++x)
                slot->SetPixel(x, y, d.Pixels[static_cast<size_t>(y) * d.Width + x]);
    }
    return *slot;
}

int32_t SkinWidth(TSkinPiece Piece) { return SkinPieceData(Piece).Width; }
int32_t SkinHeight(TSkinPiece Piece) { return SkinPieceData(Piece).Height; }

void DrawSkin(TCanvas& Canvas, TSkinPiece Piece, int32_t X, int32_t Y)
{
    const TSkinPieceData& d = SkinPieceData(Piece);
    BlitPart(Canvas, d, {0, 0, d.Width, d.Height}, TRect::FromSize(X, Y, d.Width, d.Height));
}

void DrawSkinStretched(TCanvas& Canvas, TSkinPiece Piece, const TRect& Dest)
{
    const TSkinPieceData& d = SkinPieceData(Piece);
    if (Dest.IsEmpty())
        return;
    const TSpans h = Spans(d.Width, d.Margins.Left, d.Margins.Right, Dest.Left, Dest.Width());
    const TSpans v = Spans(d.Height, d.Margins.Top, d.Margins.Bottom, Dest.Top, Dest.Height());
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            BlitPart(Canvas, d, {h.Source[col], v.Source[row], h.Source[col + 1], v.Source[row + 1]},
                     {h.Dest[col], v.Dest[row], h.Dest[col + 1], v.Dest[row + 1]});
}
