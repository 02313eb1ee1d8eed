#pragma once
#include <cstdint>
#include <string>

#include "platform/ISockets.h"
#include "platform/ISystemInfo.h"

// The free share of physical memory in whole percent: the larger of what the record's load
// leaves free and the truncated share of available memory. A record without a total gives
// what the load leaves free. The old record of a 32-bit program cannot hold the memory of a
// larger machine: it reports at most 2 GiB on one with 2 to 4 GiB and 0xFFFFFFFF on one with
// more, which would read as a wrong share or as all memory free. Whenever its total differs
// from the extended record's, the share of available memory comes from the extended record.
int32_t FreeMemoryPercent(const TMemoryStatus& Status, const TMemoryStatusEx* Extended = nullptr);

// The total memory in KB as the bar takes it. Totals beyond the 32-bit range (2 TiB and
// more) give the largest 32-bit value, so the bar simply shows full.
int32_t TotalMemoryBarPosition(int64_t Kilobytes);

// "%d.%d.%d.%d" of an address in network order.
std::string DottedAddress(const TIPv4Address& Bytes);
