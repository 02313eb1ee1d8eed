#include <x86intrin.h>

#include "platform/ITimeStampCounter.h"
#include "platform/win32/Win32Services.h"

namespace {

// The processor's own cycle counter, read with the instruction every processor this build
// runs on has.
class TWin32TimeStampCounter : public ITimeStampCounter {
public:
    uint64_t Read() const override { return __rdtsc(); }
};

}  // namespace

ITimeStampCounter* Win32TimeStampCounter()
{
    static TWin32TimeStampCounter counter;
    return &counter;
}
