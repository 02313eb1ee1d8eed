#pragma once
#include <cstdint>

// The processor's time-stamp counter, which counts processor cycles since the processor was
// reset. The real backends read the processor's own counter; the headless backend answers
// what a test scripted. A processor without such a counter reads 0 every time, so anything
// measured with it comes out as 0.
class ITimeStampCounter {
public:
    virtual ~ITimeStampCounter() = default;
    virtual uint64_t Read() const = 0;
};
