#pragma once
#include <cstdint>

// Scheduling classes of a process, with the values the program stores and compares.
constexpr uint32_t PRIORITY_CLASS_IDLE = 0x40;
constexpr uint32_t PRIORITY_CLASS_BELOW_NORMAL = 0x4000;
constexpr uint32_t PRIORITY_CLASS_NORMAL = 0x20;
constexpr uint32_t PRIORITY_CLASS_ABOVE_NORMAL = 0x8000;
constexpr uint32_t PRIORITY_CLASS_HIGH = 0x80;
constexpr uint32_t PRIORITY_CLASS_REALTIME = 0x100;

// Priority levels of a thread within its process's class.
constexpr int32_t THREAD_LEVEL_IDLE = -15;
constexpr int32_t THREAD_LEVEL_LOWEST = -2;
constexpr int32_t THREAD_LEVEL_BELOW_NORMAL = -1;
constexpr int32_t THREAD_LEVEL_NORMAL = 0;
constexpr int32_t THREAD_LEVEL_ABOVE_NORMAL = 1;
constexpr int32_t THREAD_LEVEL_HIGHEST = 2;
constexpr int32_t THREAD_LEVEL_TIME_CRITICAL = 15;

// Processor time a process has used, split as the system accounts it, in units of 100 ns.
struct TProcessTimes {
    uint64_t Kernel = 0;
    uint64_t User = 0;
};

// The scheduler's view of the running program: how urgently its process and the calling
// thread run, and how much processor time the process has used. The real backends ask and
// change the system; the headless backend keeps what a test set and records every change.
class IKernel {
public:
    virtual ~IKernel() = default;
    // The class of the running process. A value read here and handed back to
    // SetPriorityClass restores the state it was read in.
    virtual uint32_t PriorityClass() const = 0;
    // False when the system refused; the system may also grant a lower class than asked for
    // (a real-time class without the privilege for it), which counts as success.
    virtual bool SetPriorityClass(uint32_t Class) = 0;
    // The level of the calling thread; the same round trip as for the class holds.
    virtual int32_t ThreadPriority() const = 0;
    virtual bool SetThreadPriority(int32_t Level) = 0;
    // False when the system cannot tell; Times is then unchanged.
    virtual bool ProcessTimes(TProcessTimes& Times) const = 0;
    // Takes out of the process's resident memory the pages of program and library files it
    // has read so far, for a program that has finished starting and then runs for hours with
    // a small part of what starting touched. Nothing the process wrote is dropped: a page it
    // needs again comes back from the system's file cache on first use. False when the system
    // offers no such thing.
    virtual bool ReleaseStartupPages() = 0;
};
