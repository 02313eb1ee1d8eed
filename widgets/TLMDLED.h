#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Bitmap.h"
#include "widgets/TLMDObject.h"

class TCanvas;
class TPictureCopier;

// One segment outline in cell coordinates (origin at the cell's top-left pixel): a closed
// polygon of six points, the last joining the first.
using TLEDSegment = std::array<TPoint, 6>;

// Draws a text as a row of LED character cells. Every cell carries the same sixteen segments:
//   0 top bar, 1 upper left, 2 upper right, 3 middle bar, 4 lower left, 5 lower right,
//   6 bottom bar, 7 upper centre, 8 lower centre, 9 to 12 the diagonals from the centre to
//   the upper-left, upper-right, lower-left and lower-right corners, 13 centre dot, 14 top dot,
//   15 bottom dot.
// One cell image holding the background and all segments unlit is rendered in advance;
// painting copies it once per character and fills the character's lit segments on top.
class TLMDLED : public TLMDObject {
public:
    static constexpr int SegmentCount = 16;

    TLMDLED() = default;

    // Colours by index: 0 ActiveColor (lit segments), 1 InActiveColor (unlit segments),
    // 2 BackColor (cell background). Any other index reads 0 and writes nothing.
    TColor GetColor(int Index) const;
    void SetColor(int Index, TColor Value);
    TColor ActiveColor() const { return FActiveColor; }
    TColor InActiveColor() const { return FInActiveColor; }
    TColor BackColor() const { return FBackColor; }
    void SetActiveColor(TColor Value) { SetColor(0, Value); }
    void SetInActiveColor(TColor Value) { SetColor(1, Value); }
    void SetBackColor(TColor Value) { SetColor(2, Value); }

    // Sizes by index, in pixels: 1 Horzsize (horizontal bar length), 2 Thickness (stroke
    // unit), 3 Vertsize (vertical bar length). Any other index reads 0 and writes nothing.
    uint8_t GetByte(int Index) const;
    void SetByte(int Index, uint8_t Value);
    uint8_t Horzsize() const { return FHorzsize; }
    uint8_t Thickness() const { return FThickness; }
    uint8_t Vertsize() const { return FVertsize; }
    void SetHorzsize(uint8_t Value) { SetByte(1, Value); }
    void SetThickness(uint8_t Value) { SetByte(2, Value); }
    void SetVertsize(uint8_t Value) { SetByte(3, Value); }

    // When DisabledDigits is set, a paint for a disabled owner shows every segment unlit.
    bool DisabledDigits() const { return FDisabledDigits; }
    void SetEnabled(bool Value);

    // Flashing makes every second paint show the text fully unlit. BeginFlash changes nothing
    // on screen by itself; EndFlash notifies the owner so that the normal look returns at once.
    bool Flashing() const { return FFlashing; }
    bool FlashPhase() const { return FFlashPhase; }
    void BeginFlash()
    {
        FFlashing = true;
        ++FPictureGeneration;
    }
    void EndFlash();

    // Counts every change of what a paint draws from, apart from the canvas it is handed: the
    // sizes, colours, cell image, DisabledDigits and flashing. An owner that keeps a painted
    // picture compares it to tell whether the picture is still what a paint would draw.
    uint64_t PictureGeneration() const { return FPictureGeneration; }

    // The size of one character cell.
    int32_t GetWidth() const { return FHorzsize + 5 * FThickness; }
    int32_t GetHeight() const { return 2 * FVertsize + 7 * FThickness; }

    // Lines and cells of the widest line of the text last painted or measured.
    int32_t LineCount() const { return FLineCount; }
    int32_t ColumnCount() const { return FColumnCount; }

    const std::array<TLEDSegment, SegmentCount>& Segments() const { return FSegments; }
    const TBitmap& CellImage() const { return FCellImage; }

    // Recomputes the segment outlines from the sizes and renders the unlit cell image.
    virtual void CreateBmp();

    // Measures Text into LineCount and ColumnCount and, when Draw is true and there is a
    // canvas, paints it with its first cell's top-left corner at (Rect.Left, Rect.Top).
    // Each byte is one character; 13 starts a new line and other codes below 32 are skipped.
    // Cells are not clipped to Rect. The canvas's pen and brush are left in ActiveColor.
    // Returns true when it drew and every cell it drew is a copy of a whole cell picture, so
    // that each cell covers its own rectangle and nothing of its neighbours'; a lit character
    // whose outline reaches past its cell is drawn segment by segment and makes it false.
    bool PaintLED(TCanvas* Canvas, const TRect& Rect, std::string_view Text, bool Enabled, bool Draw);

    // Turns a picture of Before into the picture of Text by drawing only the cells whose
    // character differs, and measures Text as PaintLED does. Before must be painted on the same
    // canvas at the same place, with the renderer and the canvas's pen as they are now, by a
    // PaintLED or a PaintChangedCells that returned true. Returns false, having drawn nothing,
    // where the cells cannot be told apart that way: texts of different lengths or with control
    // codes (which move the cells after them), a changed cell whose outline reaches past it, or
    // a flashing renderer. True means the picture is now what PaintLED would draw for Text, and
    // it counts as drawn by a PaintLED that returned true. Either way the canvas's pen and brush
    // are left in ActiveColor, as PaintLED leaves them.
    bool PaintChangedCells(TCanvas& Canvas, const TRect& Rect, std::string_view Before, std::string_view Text,
                           bool Enabled);

    // The rectangle at the origin that holds Text with Border pixels around it (and one
    // more pixel on the right).
    TRect CalcBoundsRect(std::string_view Text, int32_t Border);

    // The segments that character Code lights, bit n for segment n; 0 for a blank cell.
    static uint16_t CharMask(unsigned char Code);

    // Copies the sizes, DisabledDigits, ActiveColor and InActiveColor of another renderer,
    // then rebuilds and notifies. The background stays the owner's.
    void Assign(const TLMDObject& Source) override;
    std::string ClassName() const override { return "TLMDLED"; }

private:
    TColor* ColorSlot(int Index);
    uint8_t* ByteSlot(int Index);
    void ComputeSegments();
    void DrawUnlitSegments(TCanvas& Canvas);
    // Gives the canvas the pen colour and brush that lit segments are drawn with.
    void TakeLitPen(TCanvas& Canvas) const;
    // The segments that may light in a paint for an owner of the given state; a character
    // lights those of its mask among them.
    uint16_t LitSegments(bool Enabled) const;
    // Makes the kept lit cells those of the canvas's pen and the lit colour as they are now,
    // forgetting them when either changed; false when the canvas draws with another pen or
    // brush than TakeLitPen gives, so that no kept cell shows what it would draw.
    bool FitLitCellsTo(TCanvas& Canvas);
    // The picture of a whole cell showing character Code with the segments of Mask, or nullptr
    // when the cell must be drawn segment by segment. LitCopies tells whether the kept lit
    // cells fit the canvas.
    const TBitmap* CellPicture(unsigned char Code, uint16_t Mask, bool LitCopies);
    // Draws one cell: copies Picture through Copier, or without one draws the segments of Mask
    // on Canvas, the canvas Copier copies to. True when the cell was copied whole.
    bool DrawCell(TPictureCopier& Copier, TCanvas& Canvas, int32_t x, int32_t y, uint16_t Mask,
                  const TBitmap* Picture);
    // The cell with the segments of Mask lit as the kept pen width draws them, rendered on
    // first use and kept until the cell image, the lit colour or the pen width change; nullptr
    // when the lit outline could reach beyond the cell, where a copy would leave it out.
    const TBitmap* LitCell(uint16_t Mask);
    bool LitStaysInCell(uint16_t Mask, int32_t PenWidth) const;
    void ForgetLitCells();

    TColor FBackColor = clBlack;
    TColor FInActiveColor = clGreen;
    TColor FActiveColor = clLime;
    uint8_t FHorzsize = 9;
    uint8_t FThickness = 2;
    uint8_t FVertsize = 7;
    bool FFlashing = false;
    bool FFlashPhase = false;
    bool FDisabledDigits = true;
    int32_t FLineCount = 1;
    int32_t FColumnCount = 1;
    std::array<TLEDSegment, SegmentCount> FSegments{};
    TBitmap FCellImage;
    uint64_t FPictureGeneration = 0;

    // A cell with the segments of one mask lit.
    struct TLitCell {
        uint16_t Mask = 0;
        TBitmap Picture;
    };
    std::vector<std::unique_ptr<TLitCell>> FLitCells;
    // The masks of FLitCells in the same order, close together for a quick search, and the
    // masks found to reach past the cell.
    std::vector<uint16_t> FLitMasks;
    std::vector<uint16_t> FSpillingMasks;
    // The lit cell each character code was last shown with, for the mask it then had; nullptr
    // for a mask that reaches past the cell.
    struct TCodeCell {
        bool Known = false;
        uint16_t Mask = 0;
        const TBitmap* Picture = nullptr;
    };
    std::array<TCodeCell, 256> FCodeCells{};
    // The pen width and lit pixel the kept cells were drawn with.
    int32_t FLitPenWidth = 0;
    uint64_t FLitShade = 0;
};

// The program's one unlit pattern, shared by every renderer: an 8 x 8 picture whose pixel
// (x, y) is UnlitColor where x + y is even and BackColor where it is odd. It is redrawn only
// when a different colour pair is asked for, so the returned picture shows the latest pair.
const TBitmap& UnlitPattern(TColor BackColor, TColor UnlitColor);
