#pragma once
#include <memory>

#include "framework/WinControl.h"
#include "widgets/TLMDBevel.h"

// A windowed panel that carries widgets and shows what lies beneath it. Its children are
// placed in its client coordinates, so moving the panel moves the whole group.
//
// Each paint of the panel's area first erases the background, then runs the panel's own Paint
// (left out under opaque windowless children), then paints the windowless children that meet
// the area in the order they were added, each clipped to its own rectangle. A transparent
// child therefore finds the panel's background, and the children added before it, already on
// the surface when it draws.
//
// The background comes from the first of three sources that is available, chosen anew at each
// paint: a background provider (none exists on the windows of this program); the parent's
// background, drawn by the visual styles when the panel is Transparent, CtlXP is set and the
// styles are active; otherwise a fill with Color.
//
// Moving the panel repaints where it was and where it is now, as for any control: the panel's
// background does not depend on its position, so the result is the same picture one step
// further along, with transparent children capturing the same background again.
class TLMDBackPanel : public TWinControl {
public:
    explicit TLMDBackPanel(TComponent* Owner);
    ~TLMDBackPanel() override;

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool CtlXP() const { return FCtlXP; }
    void SetCtlXP(bool Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }

    TLMDBevel& Bevel() { return *FBevel; }
    // Copies the values of Value into the panel's own frame.
    void SetBevel(const TLMDBevel& Value) { FBevel->Assign(Value); }

    // What a child asking for a background picture is told: this panel has none.
    const TBitmap* BackgroundBitmap() const { return nullptr; }

protected:
    void EraseBackground(TCanvas& Canvas) override;
    // The panel never shows its parent's pixels: even its transparent background is the
    // parent's colour as the visual styles draw it, the same wherever the panel lies.
    bool ShowsParentPixels() const override { return false; }
    void Paint() override;

private:
    // The parent's background is drawn by the visual styles instead of the own fill.
    bool UsesParentBackground() const;
    void BevelChanged();

    std::unique_ptr<TLMDBevel> FBevel;
    bool FTransparent = false;
    bool FCtlXP = true;
    bool FTabStop = false;
};
