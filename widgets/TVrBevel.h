#pragma once
#include <cstdint>

#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "widgets/TVrPersistent.h"

class TCanvas;

enum TVrBevelStyle : uint8_t { bsNone, bsLowered, bsRaised };
enum TVrBevelOutlineStyle : uint8_t { osOuter, osInner, osNone };

// The declared ranges of the frame's sizes. Setters store any value; a negative thickness
// draws nothing and takes no room (see GetVisibleArea).
using TVrBorderWidth = int32_t;   // 0 .. MaxInt
using TVrBevelWidth = int32_t;    // 1 .. MaxInt
using TVrBevelSpace = int32_t;    // 0 .. MaxInt

// A layered frame drawn inside a widget's rectangle, from the outside in: a border, an outer
// bevel with optional black outlines before or after it, an outer spacing ring, then the same
// for the inner bevel. Each setter notifies the owner only when the value changed.
class TVrBevel : public TVrPersistent {
public:
    TVrBorderWidth BorderWidth() const { return FBorderWidth; }
    TColor BorderColor() const { return FBorderColor; }
    TColor InnerShadow() const { return FInnerShadow; }
    TColor InnerHighlight() const { return FInnerHighlight; }
    TVrBevelWidth InnerWidth() const { return FInnerWidth; }
    TVrBevelStyle InnerStyle() const { return FInnerStyle; }
    TVrBevelOutlineStyle InnerOutline() const { return FInnerOutline; }
    TVrBevelSpace InnerSpace() const { return FInnerSpace; }
    TColor InnerColor() const { return FInnerColor; }
    TColor OuterShadow() const { return FOuterShadow; }
    TColor OuterHighlight() const { return FOuterHighlight; }
    TVrBevelWidth OuterWidth() const { return FOuterWidth; }
    TVrBevelStyle OuterStyle() const { return FOuterStyle; }
    TVrBevelOutlineStyle OuterOutline() const { return FOuterOutline; }
    TVrBevelSpace OuterSpace() const { return FOuterSpace; }
    TColor OuterColor() const { return FOuterColor; }
    bool Visible() const { return FVisible; }

    void SetBorderWidth(TVrBorderWidth Value) { Store(FBorderWidth, Value); }
    void SetBorderColor(TColor Value) { Store(FBorderColor, Value); }
    void SetInnerShadow(TColor Value) { Store(FInnerShadow, Value); }
    void SetInnerHighlight(TColor Value) { Store(FInnerHighlight, Value); }
    void SetInnerWidth(TVrBevelWidth Value) { Store(FInnerWidth, Value); }
    void SetInnerStyle(TVrBevelStyle Value) { Store(FInnerStyle, Value); }
    void SetInnerOutline(TVrBevelOutlineStyle Value) { Store(FInnerOutline, Value); }
    void SetInnerSpace(TVrBevelSpace Value) { Store(FInnerSpace, Value); }
    void SetInnerColor(TColor Value) { Store(FInnerColor, Value); }
    void SetOuterShadow(TColor Value) { Store(FOuterShadow, Value); }
    void SetOuterHighlight(TColor Value) { Store(FOuterHighlight, Value); }
    void SetOuterWidth(TVrBevelWidth Value) { Store(FOuterWidth, Value); }
    void SetOuterStyle(TVrBevelStyle Value) { Store(FOuterStyle, Value); }
    void SetOuterOutline(TVrBevelOutlineStyle Value) { Store(FOuterOutline, Value); }
    void SetOuterSpace(TVrBevelSpace Value) { Store(FOuterSpace, Value); }
    void SetOuterColor(TColor Value) { Store(FOuterColor, Value); }
    void SetVisible(bool Value) { Store(FVisible, Value); }

    // The frame's thickness on each side: 0 when hidden, otherwise the sum of every layer
    // that Paint draws.
    int64_t Thickness() const;
    // Shrinks Rect on all four sides by the thickness, leaving the area inside the frame.
    void GetVisibleArea(TRect& Rect) const;
    // Draws the layers inside Rect from the outside in and leaves Rect as the area inside the
    // frame, the same area GetVisibleArea gives.
    void Paint(TCanvas& Canvas, TRect& Rect) const;

    void Assign(const TVrPersistent& Source) override;
    std::string ClassName() const override { return "TVrBevel"; }

private:
    template <class T>
    void Store(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Changed();
    }
    void PaintLayer(TCanvas& Canvas, TRect& Rect, TVrBevelStyle Style, TColor Highlight, TColor Shadow,
                    int32_t Width) const;

    TVrBorderWidth FBorderWidth = 0;
    TColor FBorderColor = clBtnFace;
    TColor FInnerShadow = clBtnShadow;
    TColor FInnerHighlight = clBtnHighlight;
    TVrBevelWidth FInnerWidth = 1;
    TVrBevelStyle FInnerStyle = bsLowered;
    TVrBevelOutlineStyle FInnerOutline = osNone;
    TVrBevelSpace FInnerSpace = 1;
    TColor FInnerColor = clBtnFace;
    TColor FOuterShadow = clBtnShadow;
    TColor FOuterHighlight = clBtnHighlight;
    TVrBevelWidth FOuterWidth = 1;
    TVrBevelStyle FOuterStyle = bsRaised;
    TVrBevelOutlineStyle FOuterOutline = osOuter;
    TVrBevelSpace FOuterSpace = 0;
    TColor FOuterColor = clBtnFace;
    bool FVisible = true;
};
