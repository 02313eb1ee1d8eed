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
    void PaintLED(TCanvas* Canvas, const TRect& Rect, std::string_view Text, bool Enabled, bool Draw);

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
    void DrawCell(TCanvas& Canvas, int32_t x, int32_t y, uint16_t Mask);
    // The cell with the segments of Mask lit as the canvas's pen would draw them, rendered on
    // first use and kept until the cell image, the lit colour or the pen width change; nullptr
    // when the lit outline could reach beyond the cell, where a copy would leave it out.
    const TBitmap* LitCell(TCanvas& Canvas, uint16_t Mask);
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
    // The pen width and lit pixel the kept cells were drawn with.
    int32_t FLitPenWidth = 0;
    uint64_t FLitShade = 0;
};

// The program's one unlit pattern, shared by every renderer: an 8 x 8 picture whose pixel
// (x, y) is UnlitColor where x + y is even and BackColor where it is odd. It is redrawn only
// when a different colour pair is asked for, so the returned picture shows the latest pair.
const TBitmap& UnlitPattern(TColor BackColor, TColor UnlitColor);
