#include "saver/MemoryReadout.h"

#include <cmath>
#include <cstdint>
#include <limits>

int32_t FreeMemoryPercent(const TMemoryStatus& Status, const TMemoryStatusEx* Extended)
{
    const int32_t leftByLoad = 100 - static_cast<int32_t>(Status.dwMemoryLoad > 100 ? 100 : Status.dwMemoryLoad);
    double total = Status.dwTotalPhys;
    double avail = Status.dwAvailPhys;
    // A 32-bit program's old record holds at most 2 GiB on a machine with 2 to 4 GiB and
    // 0xFFFFFFFF beyond; where it differs from the extended record's total it was cut short.
    const bool saturated = Status.dwTotalPhys == 0xFFFFFFFFu || Status.dwAvailPhys == 0xFFFFFFFFu;
    if (Extended && (saturated || Extended->ullTotalPhys != Status.dwTotalPhys)) {
        total = static_cast<double>(Extended->ullTotalPhys);
        avail = static_cast<double>(Extended->ullAvailPhys);
    }
    if (total <= 0)
        return leftByLoad;
    const double available = avail * 100.0 / total;
    return available > leftByLoad ? static_cast<int32_t>(std::trunc(available)) : leftByLoad;
}

int32_t TotalMemoryBarPosition(int64_t Kilobytes)
{
    if (Kilobytes > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (Kilobytes < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(Kilobytes);
}

std::string DottedAddress(const TIPv4Address& Bytes)
{
    return std::to_string(Bytes[0]) + "." + std::to_string(Bytes[1]) + "." + std::to_string(Bytes[2]) + "." +
           std::to_string(Bytes[3]);
}
