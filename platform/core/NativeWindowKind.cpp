#include "platform/core/NativeWindowKind.h"

TNativeWindowParams ResolvedWindowParams(const TNativeWindowParams& Params)
{
    TNativeWindowParams p = Params;
    if (p.MessageOnly)
        p.Kind = TNativeWindowKind::MessageOnly;
    else if (p.Kind == TNativeWindowKind::Framed && !p.Border && !p.TitleBar)
        p.Kind = TNativeWindowKind::Frameless;
    if (p.Kind != TNativeWindowKind::Frameless)
        p.FullScreen = false;
    p.MessageOnly = p.Kind == TNativeWindowKind::MessageOnly;
    if (p.Kind != TNativeWindowKind::Framed)
        p.Border = p.TitleBar = false;
    return p;
}

