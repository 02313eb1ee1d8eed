#include "platform/core/NativeWindowKind.h"

TNativeWindowParams ResolvedWindowParams(const TNativeWindowParams& Params, const TRect& Screen)
{
    TNativeWindowParams p = Params;
    if (p.MessageOnly)
        p.Kind = TNativeWindowKind::MessageOnly;
    else if (p.Kind == TNativeWindowKind::Framed && !p.Border && !p.TitleBar)
        p.Kind = TNativeWindowKind::Frameless;
    if (p.Kind == TNativeWindowKind::Frameless && !p.FullScreen)
        p.FullScreen = LegacyFullScreenGuess(p, Screen);
    if (p.Kind != TNativeWindowKind::Frameless)
        p.FullScreen = false;
    p.MessageOnly = p.Kind == TNativeWindowKind::MessageOnly;
    if (p.Kind != TNativeWindowKind::Framed)
        p.Border = p.TitleBar = false;
    return p;
}

bool LegacyFullScreenGuess(const TNativeWindowParams& Params, const TRect& Screen)
{
    return !Screen.IsEmpty() && Params.Bounds.Width() >= Screen.Width() && Params.Bounds.Height() >= Screen.Height();
}
