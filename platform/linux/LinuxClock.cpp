#include <ctime>

#include "platform/IClock.h"
#include "platform/linux/LinuxServices.h"

namespace {

class TLinuxClock : public IClock {
public:
    TSystemTime LocalTime() const override
    {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        tm local{};
        localtime_r(&now.tv_sec, &local);
        TSystemTime t;
        t.Year = static_cast<uint16_t>(local.tm_year + 1900);
        t.Month = static_cast<uint16_t>(local.tm_mon + 1);
        t.DayOfWeek = static_cast<uint16_t>(local.tm_wday);
        t.Day = static_cast<uint16_t>(local.tm_mday);
        t.Hour = static_cast<uint16_t>(local.tm_hour);
        t.Minute = static_cast<uint16_t>(local.tm_min);
        // A leap second shows as second 59 so that every consumer sees a valid time.
        t.Second = static_cast<uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
        t.Milliseconds = static_cast<uint16_t>(now.tv_nsec / 1000000);
        return t;
    }

    uint32_t TickCount() const override
    {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
        return static_cast<uint32_t>(ms);   // wraps at 2^32 like the system counter it stands for
    }

    void Sleep(uint32_t Milliseconds) override
    {
        timespec wait{static_cast<time_t>(Milliseconds / 1000), static_cast<long>(Milliseconds % 1000) * 1000000L};
        while (nanosleep(&wait, &wait) != 0) {
        }
    }
};

}  // namespace

IClock* LinuxClock()
{
    static TLinuxClock clock;
    return &clock;
}
