#include "saver/ProcessorClock.h"

#include <thread>

#include "platform/IClock.h"
#include "platform/IKernel.h"
#include "platform/ITimeStampCounter.h"
#include "platform/Platform.h"
#include "saver/FixedText.h"

namespace {

constexpr uint32_t SettleMilliseconds = 10;
constexpr uint32_t MeasureMilliseconds = 500;

// Raises the process and the calling thread to the highest priorities while it lives and puts
// back what they were. The thread goes back first, while its process still runs in the raised
// class. A refused change leaves the priority as it was, and the measurement goes on.
class TRaisedPriority {
public:
    explicit TRaisedPriority(IKernel* Kernel) : FKernel(Kernel)
    {
        if (!FKernel)
            return;
        FSavedClass = FKernel->PriorityClass();
        FSavedLevel = FKernel->ThreadPriority();
        FKernel->SetPriorityClass(PRIORITY_CLASS_REALTIME);
        FKernel->SetThreadPriority(THREAD_LEVEL_TIME_CRITICAL);
    }
    ~TRaisedPriority()
    {
        if (!FKernel)
            return;
        FKernel->SetThreadPriority(FSavedLevel);
        FKernel->SetPriorityClass(FSavedClass);
    }
    TRaisedPriority(const TRaisedPriority&) = delete;
    TRaisedPriority& operator=(const TRaisedPriority&) = delete;

private:
    IKernel* FKernel;
    uint32_t FSavedClass = PRIORITY_CLASS_NORMAL;
    int32_t FSavedLevel = THREAD_LEVEL_NORMAL;
};

// A measurement running on its own thread. The thread is joined when the result is taken or,
// failing that, when the program ends, so it never outlives the services it uses.
class TPendingMeasurement {
public:
    ~TPendingMeasurement() { Take(); }

    void Start(const Platform& Services)
    {
        Take();
        FThread = std::thread([this, Services] { FResult = MeasureProcessorClock(Services); });
    }

    bool Pending() const { return FThread.joinable(); }

    // Waits for the running measurement and gives its result; false when none was started.
    bool Take(uint32_t* Result = nullptr)
    {
        if (!FThread.joinable())
            return false;
        FThread.join();
        if (Result)
            *Result = FResult;
        return true;
    }

private:
    std::thread FThread;
    uint32_t FResult = 0;
};

TPendingMeasurement& PendingMeasurement()
{
    static TPendingMeasurement pending;
    return pending;
}

}  // namespace

void StartProcessorClockMeasurement(const Platform& Services) { PendingMeasurement().Start(Services); }

bool ProcessorClockMeasurementPending() { return PendingMeasurement().Pending(); }

uint32_t MeasureProcessorClock()
{
    uint32_t mhz = 0;
    if (PendingMeasurement().Take(&mhz))
        return mhz;
    return MeasureProcessorClock(CurrentPlatform());
}

uint32_t MeasureProcessorClock(const Platform& platform)
{
    if (!platform.TimeStampCounter || !platform.Clock)
        return 0;
    uint64_t t0 = 0;
    uint64_t t1 = 0;
    {
        TRaisedPriority raised(platform.Kernel);
        // The short sleep gives up the rest of the current time slice, so the measured sleep
        // starts on a fresh one at the raised priority.
        platform.Clock->Sleep(SettleMilliseconds);
        t0 = platform.TimeStampCounter->Read();
        platform.Clock->Sleep(MeasureMilliseconds);
        t1 = platform.TimeStampCounter->Read();
    }
    return ProcessorClockFromCycles(t1 - t0);
}

uint32_t ProcessorClockFromCycles(uint64_t Cycles)
{
    // Only the low 32 bits of the counter difference take part; a faster clock than 8.5 GHz
    // would wrap, which no processor this runs on reaches in half a second. Cycles per
    // 500 ms divided by 500 000 are cycles per microsecond, which is MHz.
    return static_cast<uint32_t>(Cycles) / (MeasureMilliseconds * 1000);
}

std::string ProcessorClockText(uint32_t MHz)
{
    return FixedText(MHz * 0.001, 2) + "  GHz";
}
