#include "framework/NativeViewHost.h"

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"

namespace {

// Every host that exists; few ever do, so placing them all after a change costs little. The
// list is never destroyed: the process-wide application object, made before it, frees its forms
// (and the hosts in them) at exit, after the list's own destruction would have run.
std::vector<TNativeViewHost*>& Hosts()
{
    static auto* hosts = new std::vector<TNativeViewHost*>;
    return *hosts;
}

}  // namespace

TNativeViewHost::TNativeViewHost(TComponent* Owner) : TWinControl(Owner)
{
    SetColor(clNone);
    Hosts().push_back(this);
}

TNativeViewHost::~TNativeViewHost()
{
    auto& hosts = Hosts();
    hosts.erase(std::remove(hosts.begin(), hosts.end(), this), hosts.end());
    FView.reset();
}

void TNativeViewHost::SetView(std::unique_ptr<INativeChildView> Value)
{
    FView = std::move(Value);
    PlaceView(true);
}

bool TNativeViewHost::CreatePlainView(uint32_t RGB)
{
    TForm* form = ParentForm();
    INativeWindows* windows = Application().Windows();
    if (!form || !windows)
        return false;
    std::unique_ptr<INativeChildView> view = windows->CreateChildView(form->Handle(), RGB);
    if (!view)
        return false;
    SetView(std::move(view));
    return true;
}

void TNativeViewHost::PlaceAll()
{
    // Placing a view never changes a control, so the list stays as it is meanwhile.
    for (TNativeViewHost* host : Hosts())
        host->PlaceView(false);
}

TRect TNativeViewHost::VisibleRect() const
{
    const TPoint o = FormOrigin();
    TRect area = ClientRect().Translated(o.X, o.Y);
    for (const TControl* p = Parent(); p; p = p->Parent()) {
        const TPoint po = p->FormOrigin();
        area = area.Intersected(p->ClientRect().Translated(po.X, po.Y));
    }
    return area;
}

void TNativeViewHost::PlaceView(bool Force)
{
    if (!FView || Destroying())
        return;
    const bool shown = Showing() && !VisibleRect().IsEmpty();
    const TRect area = shown ? VisibleRect() : TRect{};
    if (!Force && area == FPlacedArea && shown == FPlacedShown)
        return;
    // A view is moved before it shows and hidden before it moves, so it never flashes at its
    // old place.
    if (!shown && (FPlacedShown || Force))
        FView->Show(false);
    if (shown)
        FView->SetBounds(area);
    if (shown && (!FPlacedShown || Force))
        FView->Show(true);
    FPlacedArea = area;
    FPlacedShown = shown;
}
