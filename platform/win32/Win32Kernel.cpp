#include <windows.h>

#include "platform/IKernel.h"
#include "platform/win32/Win32Services.h"

namespace {

uint64_t Combined(const FILETIME& Time)
{
    return (static_cast<uint64_t>(Time.dwHighDateTime) << 32) | Time.dwLowDateTime;
}

// The system's own priorities of the current process and thread, and its process times.
class TWin32Kernel : public IKernel {
public:
    uint32_t PriorityClass() const override { return GetPriorityClass(GetCurrentProcess()); }
    bool SetPriorityClass(uint32_t Class) override { return ::SetPriorityClass(GetCurrentProcess(), Class) != 0; }
    int32_t ThreadPriority() const override { return GetThreadPriority(GetCurrentThread()); }
    bool SetThreadPriority(int32_t Level) override { return ::SetThreadPriority(GetCurrentThread(), Level) != 0; }

    bool ProcessTimes(TProcessTimes& Times) const override
    {
        FILETIME created{}, exited{}, kernel{}, user{};
        if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
            return false;
        Times.Kernel = Combined(kernel);
        Times.User = Combined(user);
        return true;
    }

    // Windows cannot be asked for file pages alone: it takes every page out of the working set,
    // and those the process touches again come back from memory the system still holds.
    bool ReleaseStartupPages() override
    {
        return SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1)) != 0;
    }
};

}  // namespace

IKernel* Win32Kernel()
{
    static TWin32Kernel kernel;
    return &kernel;
}
