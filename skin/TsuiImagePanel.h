#pragma once
#include "framework/Control.h"
#include "platform/gfx/Bitmap.h"

// A picture drawn at its natural size from the panel's top-left corner, never stretched and
// cut off at the panel's edges. A transparent panel (the default) leaves its parent showing
// wherever the picture does not reach; an opaque one fills that part with its colour.
class TsuiImagePanel : public TControl {
public:
    explicit TsuiImagePanel(TComponent* Owner);

    const TBitmap& Picture() const { return FPicture; }
    // Takes a copy of Source's pixels.
    void SetPicture(const TBitmap& Source);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

protected:
    void Paint() override;

private:
    TBitmap FPicture;
    bool FTransparent = true;
};
