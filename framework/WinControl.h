#pragma once
#include <memory>
#include <vector>

#include "framework/Control.h"
#include "framework/Region.h"

using TKeyEvent = std::function<void(TObject* Sender, uint16_t& Key, TShiftState Shift)>;

// A windowed control: a rectangle of its own inside the native window, with children, a
// background erase and its own Paint. It clips its children to its client area and lies above
// every windowless sibling; pointer events go to the topmost windowed control under the
// pointer, which passes them on to the windowless child under the pointer, if any.
//
// Children are painted in the order they were added (z-order = creation order): first the
// windowless ones, then the windowed ones, so a later child covers an earlier one.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* Owner);
    ~TWinControl() override;

    bool IsWindowed() const override { return true; }

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const;

    void Repaint() override;

    // The topmost visible windowed control (this one or a descendant) at Point, given in this
    // control's client coordinates; nullptr when Point is outside. Disabled controls are passed
    // over, as if they were not there, unless AllowDisabled is set.
    TWinControl* WindowedControlAt(TPoint Point, bool AllowDisabled = false);
    // The topmost visible windowless child at Point (client coordinates), or nullptr; disabled
    // children are passed over unless AllowDisabled is set.
    TControl* ControlAtPos(TPoint Point, bool AllowDisabled = false) const;

    // Paints Area (surface coordinates) of this control and its children onto Surface, on
    // which this control's client (0, 0) lies at Origin: background erase, own Paint (left out
    // under opaque windowless children), windowless children, windowed children.
    void PaintArea(TBitmap& Surface, TPoint Origin, const TRect& Area);

    // A layered control keeps the composed picture of itself and its children between paints.
    // Painting it shows that picture, after painting into it only what was invalidated inside
    // it since, so moving a layered control costs a copy instead of a paint of everything in
    // it. A control whose background shows its parent's pixels keeps no layer, as those
    // pixels change when it moves; nor does any control while the application composes
    // windows whole.
    bool Layered() const { return FLayered; }
    void SetLayered(bool Value);

    // The part of Rect (client coordinates) that is not covered by windowed controls above
    // this control's windowless content nor cut off by a parent, in form coordinates.
    TRegion VisibleArea(const TRect& Rect) const;

    // Keyboard focus: key events and wheel turns go to the focused control of a form; a key
    // it leaves unhandled (non-zero) goes on to its parent, and so on up to the form.
    // SetFocus does nothing for a control that cannot take the focus.
    void SetFocus();
    bool Focused() const;
    // Whether the control can take the focus: it and its parents up to the form are visible
    // and enabled, and it lies in a form.
    virtual bool CanFocus() const;
    // Whether Tab and Shift+Tab stop at the control.
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // The windowed control inside this one that comes after Current (before it when Forward
    // is false) in the order of the tab cycle: depth first through the children in the order
    // they were added, wrapping round at the end. Only controls that can take the focus count,
    // and with CheckTabStop only those with TabStop. Current nullptr starts at the beginning
    // (or the end); nullptr when no control qualifies.
    TWinControl* FindNextControl(TWinControl* Current, bool Forward, bool CheckTabStop) const;
    // Focuses the first control inside that can take the focus, preferring TabStop ones; this
    // control itself when none inside can. A page that becomes active calls it so that it
    // gets its enter event.
    void SelectFirst();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    // The focus came into the control (or into a control inside it), or left it.
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    void Dispatch(TMessage& Message) override;

protected:
    // Prepares the background of the area being painted (the canvas clip): fills it with
    // Color unless the colour is clNone.
    virtual void EraseBackground(TCanvas& Canvas);
    // True when the background erase leaves the parent's pixels showing (colour clNone).
    virtual bool ShowsParentPixels() const { return Color() == clNone; }
    virtual void KeyDown(uint16_t& Key, TShiftState Shift);
    virtual void KeyUp(uint16_t& Key, TShiftState Shift);
    void ColorChanged() override;
    // The focus came in or went: fire OnEnter or OnExit and repaint, so that the control's
    // focus mark shows or goes.
    virtual void DoEnter();
    virtual void DoExit();

private:
    friend class TControl;
    friend class TForm;
    void InsertControl(TControl* Control);
    void RemoveControl(TControl* Control);
    // Paints Child and every later windowless sibling that overlaps it, clipped to Child's
    // rectangle, without this control's background, and shows the result.
    void RepaintOpaqueChild(TControl* Child);
    // Paints Child and the later windowless siblings over it onto Surface, clipped to Area
    // (surface coordinates), with this control's client (0, 0) at Origin.
    void RepaintChildOn(TControl* Child, TBitmap& Surface, TPoint Origin, const TRegion& Area);
    void PaintWindowless(TControl* Control, TBitmap& Surface, TPoint Origin, const TRegion& Area);
    // PaintArea without the layer: everything in Area is painted anew.
    void ComposeArea(TBitmap& Surface, TPoint Origin, const TRect& Area);

    bool KeepsLayer() const;
    // The nearest control, this one or a parent, that keeps a layer, or nullptr.
    TWinControl* EnclosingLayer();
    // Notes that Area (form coordinates) must be painted anew in the kept picture.
    void LayerInvalidated(const TRect& Area);
    // Paints what is invalid in the kept picture, making it anew when the size changed; true
    // when anything was painted.
    bool RefreshLayer();
    // Remembers which part of the kept picture the form's back buffer now holds, after Area
    // (surface coordinates) was copied there.
    void NoteLayerShown(const TBitmap& Surface, TPoint Origin, const TRect& Area, bool Refreshed);
    // True when the back buffer holds the kept picture as it is, at this control's place;
    // Shown is then the part it holds, in form coordinates.
    bool ShowsLayerAsItIs(TRect& Shown) const;
    // Copies Area of the kept picture (client coordinates) to the same place in the picture
    // that shows this control: the next layer out or the form's back buffer.
    void ShowLayerArea(const TRegion& Area);

    // Appends the windowed controls inside this one in tab-cycle order.
    void CollectTabOrder(std::vector<TWinControl*>& Out) const;

    std::vector<TControl*> FControls;
    bool FTabStop = false;
    bool FLayered = false;
    std::unique_ptr<TBitmap> FLayer;
    TRegion FLayerInvalid;
    // The part of the kept picture that lies on the back buffer at FLayerShownAt, and what of
    // it has not been copied there since the place or the picture changed (client coordinates).
    TRect FLayerShown;
    TRegion FLayerUnshown;
    TPoint FLayerShownAt;
    uint64_t FLayerShownGeneration = 0;
};
