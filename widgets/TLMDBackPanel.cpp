#include "widgets/TLMDBackPanel.h"

#include "framework/Form.h"
#include "platform/gfx/Canvas.h"
#include "widgets/TVisualStyles.h"

TLMDBackPanel::TLMDBackPanel(TComponent* Owner) : TWinControl(Owner), FBevel(std::make_unique<TLMDBevel>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks |
                    csReplicatable);
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 100, 40);
    FBevel->SetOnChange([this](TLMDObject*) { BevelChanged(); });
}

TLMDBackPanel::~TLMDBackPanel()
{
    // Children owned by the panel refer back to it while they go, so they go while it is whole.
    MarkDestroying();
    DestroyComponents();
}

void TLMDBackPanel::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TLMDBackPanel::SetCtlXP(bool Value)
{
    if (Value == FCtlXP)
        return;
    FCtlXP = Value;
    Invalidate();
}

void TLMDBackPanel::BevelChanged() { Invalidate(); }

bool TLMDBackPanel::UsesParentBackground() const
{
    return FTransparent && FCtlXP && VisualStyles().IsThemeActive();
}

// When the visual styles cannot draw the parent's background, the area keeps what it held:
// the erase counts as done and the own fill is not used in its place.
void TLMDBackPanel::EraseBackground(TCanvas& Canvas)
{
    if (UsesParentBackground()) {
        VisualStyles().DrawThemeParentBackground(*this, Canvas, ClientRect());
        return;
    }
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = Color();
    Canvas.FillRect(ClientRect());
}

void TLMDBackPanel::Paint()
{
    const TForm* form = ParentForm();
    if ((form && form->Loading()) || Loading())
        return;
    TCanvas& canvas = Canvas();
    if (!UsesParentBackground()) {
        canvas.Brush().Style = bsSolid;
        canvas.Brush().Color = Color();
        canvas.FillRect(ClientRect());
    }
    if (FBevel->Extent() != 0) {
        TRect frame = ClientRect();
        FBevel->Paint(canvas, frame);
    }
}
