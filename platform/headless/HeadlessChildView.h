#pragma once
#include <cstdint>

#include "platform/INativeWindows.h"

// A native child view that only remembers what it was told: where it lies, whether it shows,
// and how often it was moved, so tests can follow a view through its host's changes.
class THeadlessChildView : public INativeChildView {
public:
    THeadlessChildView(TNativeWindow Parent, uint32_t RGB, uintptr_t Handle) : FParent(Parent), FRGB(RGB), FHandle(Handle) {}

    void SetBounds(const TRect& Area) override;
    void Show(bool Visible) override { FVisible = Visible; }
    uintptr_t SystemHandle() const override { return FHandle; }

    TNativeWindow Parent() const { return FParent; }
    uint32_t RGB() const { return FRGB; }
    const TRect& Bounds() const { return FBounds; }
    bool Visible() const { return FVisible; }
    // Shown and with an area: what a person would see of it.
    bool Seen() const { return FVisible && !FBounds.IsEmpty(); }
    int BoundsChanges() const { return FBoundsChanges; }

private:
    TNativeWindow FParent;
    uint32_t FRGB;
    uintptr_t FHandle;
    TRect FBounds;
    bool FVisible = false;
    int FBoundsChanges = 0;
};
