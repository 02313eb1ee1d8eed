#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/IKernel.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/LinuxStartupPages.h"

namespace {

// Linux schedules threads by their nice value (-20 most urgent, 19 least). A priority class
// gives a base value and a thread level moves the calling thread away from it, so the pair
// that the program reads and restores maps onto the one number the system keeps per thread.
// A change to a more urgent value needs the privilege for it; without it the system refuses
// and the thread keeps what it had.
int BaseNice(uint32_t Class)
{
    switch (Class) {
    case PRIORITY_CLASS_IDLE: return 19;
    case PRIORITY_CLASS_BELOW_NORMAL: return 10;
    case PRIORITY_CLASS_ABOVE_NORMAL: return -5;
    case PRIORITY_CLASS_HIGH: return -10;
    case PRIORITY_CLASS_REALTIME: return -20;
    default: return 0;
    }
}

int LevelBoost(int32_t Level)
{
    if (Level >= THREAD_LEVEL_TIME_CRITICAL)
        return 20;
    if (Level <= THREAD_LEVEL_IDLE)
        return -19;
    return Level;
}

class TLinuxKernel : public IKernel {
public:
    uint32_t PriorityClass() const override { return FClass; }
    bool SetPriorityClass(uint32_t Class) override { return Apply(Class, FLevel); }
    int32_t ThreadPriority() const override { return FLevel; }
    bool SetThreadPriority(int32_t Level) override { return Apply(FClass, Level); }

    bool ProcessTimes(TProcessTimes& Times) const override
    {
        rusage usage{};
        if (getrusage(RUSAGE_SELF, &usage) != 0)
            return false;
        Times.Kernel = HundredNanoseconds(usage.ru_stime);
        Times.User = HundredNanoseconds(usage.ru_utime);
        return true;
    }

    bool ReleaseStartupPages() override { return ReleaseFilePages(); }

private:
    static uint64_t HundredNanoseconds(const timeval& Time)
    {
        return static_cast<uint64_t>(Time.tv_sec) * 10000000u + static_cast<uint64_t>(Time.tv_usec) * 10u;
    }

    bool Apply(uint32_t Class, int32_t Level)
    {
        int nice = BaseNice(Class) - LevelBoost(Level);
        nice = nice < -20 ? -20 : nice > 19 ? 19 : nice;
        const auto thread = static_cast<id_t>(syscall(SYS_gettid));
        if (setpriority(PRIO_PROCESS, thread, nice) != 0)
            return false;
        FClass = Class;
        FLevel = Level;
        return true;
    }

    uint32_t FClass = PRIORITY_CLASS_NORMAL;
    int32_t FLevel = THREAD_LEVEL_NORMAL;
};

}  // namespace

IKernel* LinuxKernel()
{
    static TLinuxKernel kernel;
    return &kernel;
}
