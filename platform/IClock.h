#pragma once
#include <cstdint>

// A local calendar date and wall-clock time, split into its fields.
struct TSystemTime {
    uint16_t Year = 1899;
    uint16_t Month = 12;       // 1 .. 12
    uint16_t DayOfWeek = 6;    // 0 = Sunday
    uint16_t Day = 30;         // 1 .. 31
    uint16_t Hour = 0;
    uint16_t Minute = 0;
    uint16_t Second = 0;
    uint16_t Milliseconds = 0;
};

// Time as the program sees it. The real backends read the machine's clocks; the headless
// backend lets a test set every value, so anything that depends on time is reproducible.
class IClock {
public:
    virtual ~IClock() = default;
    virtual TSystemTime LocalTime() const = 0;
    // Milliseconds since some fixed moment, wrapping around at 2^32 like the system's counter.
    virtual uint32_t TickCount() const = 0;
    virtual void Sleep(uint32_t Milliseconds) = 0;
};
