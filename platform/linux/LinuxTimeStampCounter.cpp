#include "platform/ITimeStampCounter.h"
#include "platform/linux/LinuxServices.h"

#if defined(__i386__) || defined(__x86_64__)
#include <x86intrin.h>
#endif

namespace {

// The processor's own cycle counter; processors of other families have none here and read 0.
class TLinuxTimeStampCounter : public ITimeStampCounter {
public:
    uint64_t Read() const override
    {
#if defined(__i386__) || defined(__x86_64__)
        return __rdtsc();
#else
        return 0;
#endif
    }
};

}  // namespace

ITimeStampCounter* LinuxTimeStampCounter()
{
    static TLinuxTimeStampCounter counter;
    return &counter;
}
