#include "widgets/TAutoResetEvent.h"

#include <algorithm>
#include <chrono>

void TAutoResetEvent::SetEvent()
{
    std::lock_guard lock(FMutex);
    FSignaled = true;
    FSignal.notify_one();
}

TWaitResult TAutoResetEvent::WaitFor(uint32_t Milliseconds)
{
    using namespace std::chrono;
    // The longest single wait handed to the system. Longer waits are made of several, so a
    // thread library that mishandles time-outs of many days cannot end the wait early.
    constexpr milliseconds longestSlice = hours(1);
    const auto deadline = steady_clock::now() + milliseconds(Milliseconds);
    std::unique_lock lock(FMutex);
    while (!FSignaled) {
        const auto now = steady_clock::now();
        if (now >= deadline)
            return TWaitResult::wrTimeout;
        const auto left = duration_cast<milliseconds>(deadline - now) + milliseconds(1);
        FSignal.wait_for(lock, std::min(left, longestSlice));
    }
    FSignaled = false;
    return TWaitResult::wrSignaled;
}
