#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/IKernel.h"

// A process whose priorities and processor times a test sets. It starts in the normal class
// with the thread at normal level and no processor time used. Every change that is asked for
// is written to a log ("class 0x100", "thread 15", "release start-up pages"), granted or not, so
// a test can check the order of changes and that every one was undone.
class THeadlessKernel : public IKernel {
public:
    uint32_t PriorityClass() const override { return FClass; }
    bool SetPriorityClass(uint32_t Class) override;
    int32_t ThreadPriority() const override { return FLevel; }
    bool SetThreadPriority(int32_t Level) override;
    bool ProcessTimes(TProcessTimes& Times) const override;
    bool ReleaseStartupPages() override;

    void SetClass(uint32_t Class) { FClass = Class; }
    void SetLevel(int32_t Level) { FLevel = Level; }
    // Whether a request for the real-time class or the time-critical level is refused, as a
    // system refuses a user without the privilege for them.
    void SetRaisingRefused(bool Value) { FRaisingRefused = Value; }
    void SetTimes(const TProcessTimes& Times) { FTimes = Times; }
    // Adds processor time in units of 100 ns, wrapping like the counters it stands for.
    void AddTimes(uint64_t Kernel, uint64_t User);
    // Whether the process times can be told; when false ProcessTimes reports failure.
    void SetTimesAvailable(bool Value) { FTimesAvailable = Value; }

    const std::vector<std::string>& Log() const { return FLog; }
    void ClearLog() { FLog.clear(); }

private:
    uint32_t FClass = PRIORITY_CLASS_NORMAL;
    int32_t FLevel = THREAD_LEVEL_NORMAL;
    bool FRaisingRefused = false;
    TProcessTimes FTimes;
    bool FTimesAvailable = true;
    std::vector<std::string> FLog;
};
