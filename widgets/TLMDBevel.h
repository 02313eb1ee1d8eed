#pragma once
#include <cstdint>

#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "widgets/TLMDObject.h"

class TCanvas;

enum TLMDBevelMode : uint8_t { bmStandard, bmCustom };
enum TLMDBevelStyle : uint8_t { bvNone, bvLowered, bvRaised };

// The frame of a panel: from the outside in, an outer bevel ring, a border in BorderColor and
// an inner bevel ring. Its extent is the room the frame takes on each side; a frame of extent 0
// draws nothing and leaves the whole panel as client area. The mode records how the frame was
// set up; both modes draw from the same settings.
class TLMDBevel : public TLMDObject {
public:
    TLMDBevelMode Mode() const { return FMode; }
    TLMDBevelStyle StyleOuter() const { return FStyleOuter; }
    TLMDBevelStyle StyleInner() const { return FStyleInner; }
    int32_t WidthOuter() const { return FWidthOuter; }
    int32_t WidthInner() const { return FWidthInner; }
    int32_t BorderWidth() const { return FBorderWidth; }
    TColor BorderColor() const { return FBorderColor; }

    void SetMode(TLMDBevelMode Value) { Store(FMode, Value); }
    void SetStyleOuter(TLMDBevelStyle Value) { Store(FStyleOuter, Value); }
    void SetStyleInner(TLMDBevelStyle Value) { Store(FStyleInner, Value); }
    // Widths below 0 count as 0.
    void SetWidthOuter(int32_t Value) { Store(FWidthOuter, Value < 0 ? 0 : Value); }
    void SetWidthInner(int32_t Value) { Store(FWidthInner, Value < 0 ? 0 : Value); }
    void SetBorderWidth(int32_t Value) { Store(FBorderWidth, Value < 0 ? 0 : Value); }
    void SetBorderColor(TColor Value) { Store(FBorderColor, Value); }

    int32_t Extent() const;
    // Draws the frame inside Rect and leaves Rect as the area inside it.
    void Paint(TCanvas& Canvas, TRect& Rect) const;

    void Assign(const TLMDObject& Source) override;
    std::string ClassName() const override { return "TLMDBevel"; }

private:
    template <class T>
    void Store(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Change();
    }

    TLMDBevelMode FMode = bmCustom;
    TLMDBevelStyle FStyleOuter = bvNone;
    TLMDBevelStyle FStyleInner = bvNone;
    int32_t FWidthOuter = 1;
    int32_t FWidthInner = 1;
    int32_t FBorderWidth = 0;
    TColor FBorderColor = clBtnFace;
};
