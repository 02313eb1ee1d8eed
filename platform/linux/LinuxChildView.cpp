#include "platform/linux/LinuxChildView.h"

#include <algorithm>

#include <gdk/gdkx.h>

namespace {

// The pixel value of a colour on the display's default visual.
unsigned long PixelOf(Display* X, uint32_t RGB)
{
    XColor colour{};
    colour.red = static_cast<unsigned short>(((RGB >> 16) & 0xFF) * 0x101);
    colour.green = static_cast<unsigned short>(((RGB >> 8) & 0xFF) * 0x101);
    colour.blue = static_cast<unsigned short>((RGB & 0xFF) * 0x101);
    if (XAllocColor(X, DefaultColormap(X, DefaultScreen(X)), &colour))
        return colour.pixel;
    return BlackPixel(X, DefaultScreen(X));
}

}  // namespace

std::unique_ptr<TLinuxChildView> TLinuxChildView::Create(GdkDisplay* Display, unsigned long Parent, uint32_t RGB)
{
    ::Display* x = GDK_DISPLAY_XDISPLAY(Display);
    gdk_x11_display_error_trap_push(Display);
    const ::Window window = XCreateSimpleWindow(x, Parent, 0, 0, 1, 1, 0, 0, PixelOf(x, RGB));
    XSync(x, False);
    if (gdk_x11_display_error_trap_pop(Display) != 0 || !window)
        return nullptr;
    return std::unique_ptr<TLinuxChildView>(new TLinuxChildView(Display, window));
}

TLinuxChildView::~TLinuxChildView()
{
    gdk_x11_display_error_trap_push(FDisplay);
    XDestroyWindow(GDK_DISPLAY_XDISPLAY(FDisplay), FWindow);
    XFlush(GDK_DISPLAY_XDISPLAY(FDisplay));
    gdk_x11_display_error_trap_pop_ignored(FDisplay);
}

void TLinuxChildView::SetBounds(const TRect& Area)
{
    FArea = Area;
    Apply();
}

void TLinuxChildView::Show(bool Visible)
{
    FVisible = Visible;
    Apply();
}

// X has no empty windows: a view with an empty area is unmapped instead.
void TLinuxChildView::Apply()
{
    ::Display* x = GDK_DISPLAY_XDISPLAY(FDisplay);
    gdk_x11_display_error_trap_push(FDisplay);
    if (!FArea.IsEmpty()) {
        const int left = std::clamp(FArea.Left, -32768, 32767);
        const int top = std::clamp(FArea.Top, -32768, 32767);
        XMoveResizeWindow(x, FWindow, left, top, static_cast<unsigned>(std::min(FArea.Width(), 32767)),
                          static_cast<unsigned>(std::min(FArea.Height(), 32767)));
    }
    if (FVisible && !FArea.IsEmpty())
        XMapRaised(x, FWindow);
    else
        XUnmapWindow(x, FWindow);
    XFlush(x);
    gdk_x11_display_error_trap_pop_ignored(FDisplay);
}
