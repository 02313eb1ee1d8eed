// JPEG decoding: any bytes as a picture file, which decodes or raises the decoder's error.
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/linux/LinuxImageDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    // The decoder reads a path; a file in memory gives it one without touching the disk.
    const int fd = ::memfd_create("fuzz.jpg", MFD_CLOEXEC);
    if (fd < 0 || ::write(fd, Data, Size) != static_cast<ssize_t>(Size))
        __builtin_trap();
    TBitmap picture;
    try {
        TLinuxImageDecoder().LoadJpeg("/proc/self/fd/" + std::to_string(fd), picture);
    } catch (const Exception&) {
    }
    ::close(fd);
    return 0;
}
