#include "platform/linux/LinuxSharedImage.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <gdk/gdkx.h>

namespace {

// Attaching is refused with an error event by a server that cannot reach the segment (one on
// another machine); the error is caught here instead of reaching GDK's handler.
bool Attach(Display* Display, XShmSegmentInfo& Segment)
{
    GdkDisplay* display = gdk_x11_lookup_xdisplay(Display);
    if (!display)
        return false;
    gdk_x11_display_error_trap_push(display);
    const Bool sent = XShmAttach(Display, &Segment);
    XSync(Display, False);
    return gdk_x11_display_error_trap_pop(display) == 0 && sent;
}

}  // namespace

std::unique_ptr<TLinuxSharedImage> TLinuxSharedImage::Make(Display* Display, Visual* Visual, int Depth, int32_t Width,
                                                           int32_t Height)
{
    // The framework's pixels are 0x00RRGGBB words in the machine's byte order, which a server
    // on the same machine shares; a window of another format would need them converted.
    if (!Display || !Visual || Depth != 24 || Width <= 0 || Height <= 0 || Visual->red_mask != 0xFF0000 ||
        Visual->green_mask != 0xFF00 || Visual->blue_mask != 0xFF || !XShmQueryExtension(Display))
        return nullptr;
    std::unique_ptr<TLinuxSharedImage> image(new TLinuxSharedImage(Display));
    if (!image->Create(Visual, Width, Height))
        return nullptr;
    return image;
}

TLinuxSharedImage::TLinuxSharedImage(Display* Display) : FDisplay(Display) {}

// The image keeps a pointer to the segment's description, which therefore lives in the object.
bool TLinuxSharedImage::Create(Visual* Visual, int32_t Width, int32_t Height)
{
    FImage = XShmCreateImage(FDisplay, Visual, 24, ZPixmap, nullptr, &FSegment, static_cast<unsigned>(Width),
                             static_cast<unsigned>(Height));
    if (!FImage || FImage->bits_per_pixel != 32 || FImage->bytes_per_line != Width * 4)
        return false;
    FSegment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(FImage->bytes_per_line) * static_cast<size_t>(Height),
                            IPC_CREAT | 0600);
    if (FSegment.shmid < 0)
        return false;
    void* memory = shmat(FSegment.shmid, nullptr, 0);
    if (memory != reinterpret_cast<void*>(-1)) {
        FSegment.shmaddr = FImage->data = static_cast<char*>(memory);
        FSegment.readOnly = True;
        FAttached = Attach(FDisplay, FSegment);
    }
    // Marked for removal once the server holds it too: the segment then goes when the last of
    // the two lets go of it, also when the program ends without cleaning up.
    shmctl(FSegment.shmid, IPC_RMID, nullptr);
    return FAttached;
}

TLinuxSharedImage::~TLinuxSharedImage()
{
    if (FAttached) {
        XShmDetach(FDisplay, &FSegment);
        XFlush(FDisplay);
    }
    if (FSegment.shmaddr)
        shmdt(FSegment.shmaddr);
    if (FImage) {
        FImage->data = nullptr;
        XDestroyImage(FImage);
    }
}

// The server copies the pixels while it handles the request, so once a request sent after it
// has been answered, it is done with them. Asking for no completion event keeps the server
// from sending one event a presentation that nothing would read.
void TLinuxSharedImage::Put(Drawable Window, GC Context, const TRect& Area) const
{
    XShmPutImage(FDisplay, Window, Context, FImage, Area.Left, Area.Top, Area.Left, Area.Top,
                 static_cast<unsigned>(Area.Width()), static_cast<unsigned>(Area.Height()), False);
    XSync(FDisplay, False);
}
