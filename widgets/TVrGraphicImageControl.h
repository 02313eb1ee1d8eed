#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "widgets/TVrGraphicControl.h"

class TCanvas;

// A double-buffered widget: every paint draws the whole picture into BufferBitmap and shows it
// with one copy, so a widget that redraws every second never flickers.
//
// A transparent widget keeps ParentImage, a copy of its parent's pixels under it, and starts
// each picture from that copy. Between paints CaptureDue is true and the widget is not opaque:
// when the parent repaints the area, it draws its own background first and the widget copies
// it afresh. When the widget updates itself and already has a copy of its size, it clears
// CaptureDue and repaints over the surface (RepaintOver): only this widget and the siblings
// above it are painted, straight from the saved copy, without making the parent redraw its
// background. Once the picture is shown the widget is capture-due again.
class TVrGraphicImageControl : public TVrGraphicControl {
public:
    explicit TVrGraphicImageControl(TComponent* Owner);
    ~TVrGraphicImageControl() override;

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    const TBitmap& ParentImage() const { return *FParentImage; }
    const TBitmap& BufferBitmap() const { return *FBufferBitmap; }
    bool CaptureDue() const { return FCaptureDue; }

    // Locks the widget's canvas, sizes the buffer to the widget, locks the buffer's canvas,
    // attaches the surface and paints; the canvases are detached and unlocked in reverse order
    // also when the paint fails, and the failure goes on to the caller.
    void PaintRequest(TBitmap* Surface, TPoint Origin, const TRect& Clip) override;

protected:
    TCanvas& GetBitmapCanvas() { return FBufferBitmap->Canvas(); }

    // Prepares the buffer's background before a derived Paint draws on it: the parent's pixels
    // for a transparent widget (copied now when a capture is due), otherwise a fill with Color.
    virtual void ClearBitmapCanvas();
    // Shows the buffer on the widget's canvas. Derived widgets draw into the buffer and end
    // their Paint with this one.
    void Paint() override;
    void UpdateControlCanvas() override;

    // Copies what the parent has drawn under the widget, inside the current clip, into the same
    // place of ParentImage; the rest of ParentImage keeps what it held.
    void CopyParentImage();
    // Copies ParentImage onto the whole buffer.
    void CopyOverlayImage();

    // A transparent widget that has just captured its parent's pixels starts its picture from
    // exactly what the surface shows under it. A widget that then reports, through NoteDrawn,
    // every part of the buffer it draws on lets the presentation copy only those parts, since
    // everywhere else the surface already shows the buffer's pixels. TrackDrawing starts the
    // reports for the paint under way (after ClearBitmapCanvas); without it, or when the
    // picture did not start from a fresh capture, the whole buffer is presented.
    void TrackDrawing();
    void NoteDrawn(const TRect& Area);

private:
    bool SnapshotFits() const;
    // Back to the normal state between paints: capture due.
    void CaptureNextTime();
    // Whether the surface inside the clip already shows the buffer everywhere but in the noted
    // areas.
    bool OnlyNotedAreasDiffer();
    void ForgetDrawing();

    // Members go in reverse order, so ParentImage is freed before BufferBitmap.
    std::unique_ptr<TBitmap> FBufferBitmap;
    std::unique_ptr<TBitmap> FParentImage;
    bool FCaptureDue = true;
    bool FTransparent = false;
    // Set while a self-update repaints from the saved copy; counts every presented picture.
    bool FReusingSnapshot = false;
    uint64_t FPresentations = 0;
    // The clip of the capture the buffer started from in the paint under way, if it did.
    bool FStartedFromCapture = false;
    TRect FCaptureClip;
    bool FTrackingDrawing = false;
    std::vector<TRect> FDrawnAreas;   // keeps its room from paint to paint
};
