#include "widgets/TVrGraphicImageControl.h"

#include "platform/gfx/Canvas.h"
#include "widgets/VrDrawing.h"

namespace {

// Holds a canvas's lock for the length of a scope.
class TCanvasLock {
public:
    explicit TCanvasLock(TCanvas& Canvas) : FCanvas(Canvas) { FCanvas.Lock(); }
    ~TCanvasLock() { FCanvas.Unlock(); }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
    TCanvas& FCanvas;
};

// Keeps a surface attached to a canvas for the length of a scope.
class TCanvasAttachment {
public:
    TCanvasAttachment(TCanvas& Canvas, TBitmap* Surface, TPoint Origin, const TRect& Clip) : FCanvas(Canvas)
    {
        FCanvas.Attach(Surface, Origin, Clip);
    }
    ~TCanvasAttachment() { FCanvas.Detach(); }
    TCanvasAttachment(const TCanvasAttachment&) = delete;
    TCanvasAttachment& operator=(const TCanvasAttachment&) = delete;

private:
    TCanvas& FCanvas;
};

}  // namespace

TVrGraphicImageControl::TVrGraphicImageControl(TComponent* Owner)
    : TVrGraphicControl(Owner), FBufferBitmap(std::make_unique<TBitmap>()), FParentImage(std::make_unique<TBitmap>())
{
}

TVrGraphicImageControl::~TVrGraphicImageControl() = default;

void TVrGraphicImageControl::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    UpdateControlCanvas();
}

void TVrGraphicImageControl::PaintRequest(TBitmap* Surface, TPoint Origin, const TRect& Clip)
{
    if (!Surface)
        return;
    // The locks are released in the reverse order of taking them: the attachment ends first,
    // then the buffer's lock, then the widget canvas's lock.
    TCanvasLock widgetLock(Canvas());
    FBufferBitmap->SetSize(Width(), Height());
    TCanvasLock bufferLock(GetBitmapCanvas());
    TCanvasAttachment attachment(Canvas(), Surface, Origin, Clip);
    ForgetDrawing();
    try {
        Paint();
    } catch (...) {
        ForgetDrawing();
        throw;
    }
    ForgetDrawing();
}

void TVrGraphicImageControl::ClearBitmapCanvas()
{
    TCanvas& buffer = GetBitmapCanvas();
    buffer.Brush().Style = bsSolid;
    if (FTransparent) {
        const bool capture = FCaptureDue || !SnapshotFits();
        if (capture)
            CopyParentImage();
        CopyOverlayImage();
        FStartedFromCapture = capture;
        FCaptureClip = Canvas().ClipRect();
    } else {
        buffer.Brush().Color = Color();
        buffer.FillRect(BitmapRect(*FBufferBitmap));
    }
}

// The buffer goes to the surface with the plain row copies of TPictureCopier, which gives the
// pixels of the canvas's block copy with the clip worked out once.
void TVrGraphicImageControl::Paint()
{
    TPictureCopier copier(Canvas());
    if (OnlyNotedAreasDiffer()) {
        for (const TRect& area : FDrawnAreas)
            copier.Copy(area.Left, area.Top, *FBufferBitmap, area);
    } else {
        copier.Copy(0, 0, *FBufferBitmap, TRect{0, 0, Width(), Height()});
    }
    ForgetDrawing();
    ++FPresentations;
    if (FTransparent && !FReusingSnapshot)
        CaptureNextTime();
}

void TVrGraphicImageControl::CaptureNextTime() { FCaptureDue = true; }

// A self-update reuses the saved copy of the parent's pixels only when there is one of the
// widget's size; otherwise the parent repaints the area and the widget captures it afresh.
// With a copy, the widget and the siblings above it are painted over what the surface shows,
// without making the parent redraw its background.
//
// The framework may paint the widget in several pieces (where a windowed control above cuts
// its rectangle), and in this repaint the surface under a piece holds the widget's previous
// picture, not the parent's background. So every piece of the repaint uses the saved copy, and
// only when the repaint is over does the widget become capture-due again. When nothing was
// painted (hidden, loading, an open update), the widget stays as it is and the next paint, of
// whatever cause, reuses the copy once more.
void TVrGraphicImageControl::UpdateControlCanvas()
{
    if (!FTransparent || !SnapshotFits()) {
        TVrGraphicControl::UpdateControlCanvas();
        return;
    }
    FCaptureDue = false;
    if (Loading() || UpdateCount() != 0)
        return;
    const uint64_t before = FPresentations;
    FReusingSnapshot = true;
    try {
        RepaintOver();
    } catch (...) {
        FReusingSnapshot = false;
        throw;
    }
    FReusingSnapshot = false;
    if (FPresentations != before)
        CaptureNextTime();
}

void TVrGraphicImageControl::CopyParentImage()
{
    FParentImage->SetSize(Width(), Height());
    const TRect clip = Canvas().ClipRect();
    FParentImage->Canvas().Draw(clip.Left, clip.Top, Canvas(), clip);
}

void TVrGraphicImageControl::CopyOverlayImage()
{
    GetBitmapCanvas().Draw(0, 0, FParentImage->Canvas(),
                           TRect{0, 0, FBufferBitmap->Width(), FBufferBitmap->Height()});
}

void TVrGraphicImageControl::TrackDrawing()
{
    FTrackingDrawing = true;
    FDrawnAreas.clear();
}

// An area that continues the last one along the same rows joins it, so a row of dots side by
// side is presented as one block.
void TVrGraphicImageControl::NoteDrawn(const TRect& Area)
{
    if (!FTrackingDrawing || Area.IsEmpty())
        return;
    if (!FDrawnAreas.empty()) {
        TRect& last = FDrawnAreas.back();
        const bool sameRows = last.Top == Area.Top && last.Bottom == Area.Bottom;
        if (sameRows && Area.Left <= last.Right && Area.Right >= last.Left) {
            last = last.United(Area);
            return;
        }
    }
    FDrawnAreas.push_back(Area);
}

// The buffer started as a copy of ParentImage just after ParentImage took the surface's pixels
// inside this same clip, and since then only the noted areas of the buffer were drawn on. The
// surface is not drawn on by the widget before the presentation.
bool TVrGraphicImageControl::OnlyNotedAreasDiffer()
{
    return FTrackingDrawing && FStartedFromCapture && FCaptureClip == Canvas().ClipRect();
}

void TVrGraphicImageControl::ForgetDrawing()
{
    FStartedFromCapture = false;
    FTrackingDrawing = false;
    FDrawnAreas.clear();
}

bool TVrGraphicImageControl::SnapshotFits() const
{
    return !FParentImage->Empty() && FParentImage->Width() == Width() && FParentImage->Height() == Height();
}
