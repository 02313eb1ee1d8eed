// Starts a program and prints how many seconds pass until its first frame shows (the moment a
// pixel that is not black appears in the middle of the screen), then the program's process id. The screen is read every
// millisecond, so the figure is not rounded up by the cost of taking screenshots. Usage:
//   first-frame-probe PROGRAM [ARGUMENT...]
// Exit code 2 when the display cannot be opened or the program cannot be started, 3 when no
// frame shows within ten seconds. The program is left running.
#include <chrono>
#include <cstdio>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <spawn.h>

extern char** environ;

namespace {

// True when any pixel of the window's middle square of Side pixels is not black.
bool MiddleShowsSomething(Display* display, Window root, int Width, int Height, int Side)
{
    XImage* image = XGetImage(display, root, (Width - Side) / 2, (Height - Side) / 2, Side, Side, AllPlanes, ZPixmap);
    if (!image)
        return false;
    bool seen = false;
    for (int y = 0; y < Side && !seen; ++y)
        for (int x = 0; x < Side && !seen; ++x)
            seen = (XGetPixel(image, x, y) & 0xFFFFFF) != 0;
    XDestroyImage(image);
    return seen;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fputs("usage: first-frame-probe PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("cannot open the display\n", stderr);
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    const int width = DisplayWidth(display, DefaultScreen(display));
    const int height = DisplayHeight(display, DefaultScreen(display));
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 2;
    }
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        if (MiddleShowsSomething(display, root, width, height, 300)) {
            const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
            std::printf("%.3f %d\n", spent.count(), static_cast<int>(pid));
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::printf("none %d\n", static_cast<int>(pid));
    return 3;
}
