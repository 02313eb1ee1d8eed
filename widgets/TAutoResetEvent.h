#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

enum class TWaitResult : uint8_t { wrSignaled, wrTimeout };

// An event that any thread may signal and one thread waits on with a time-out. A signal stays
// set until a wait takes it, so a signal given before the wait begins is not lost, and each
// signal releases exactly one wait.
class TAutoResetEvent {
public:
    TAutoResetEvent() = default;
    TAutoResetEvent(const TAutoResetEvent&) = delete;
    TAutoResetEvent& operator=(const TAutoResetEvent&) = delete;

    void SetEvent();
    // Waits until the event is signalled or Milliseconds have passed, whichever comes first,
    // and clears the signal it took. A time-out never comes early.
    TWaitResult WaitFor(uint32_t Milliseconds);

private:
    std::mutex FMutex;
    std::condition_variable FSignal;
    bool FSignaled = false;
};
