// Prints "hidden" when the pointer image the X server shows now has no visible pixel, and
// "visible" otherwise. Exit code 2 when the display cannot be opened.
#include <cstdio>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("cannot open the display\n", stderr);
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    bool visible = false;
    if (image) {
        const unsigned long count = static_cast<unsigned long>(image->width) * image->height;
        for (unsigned long i = 0; i < count && !visible; ++i)
            visible = (image->pixels[i] >> 24) != 0;   // any pixel that is not fully transparent
        XFree(image);
    }
    std::puts(visible ? "visible" : "hidden");
    XCloseDisplay(display);
    return 0;
}
