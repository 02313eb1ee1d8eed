#pragma once
#include <cstdint>
#include <string>

#include "platform/ISystemInfo.h"

// Which family and version of the platform the program runs on, decided once per process.
struct TLMDSIPlatformFlags {
    bool Windows95 = false;         // the 9x family
    bool WindowsExtension = false;  // the desktop extensions (always there outside the 9x family)
    bool WindowsNT = false;         // the NT family
    bool Windows2000 = false;       // NT version 5.0 exactly
    bool WindowsXP = false;         // NT version 5.1 exactly
};

// The flags as System answers them now; no service gives the flags of an unknown host.
TLMDSIPlatformFlags LMDSIPlatformFlagsOf(const ISystemInfo* System);

// The flags of this process, computed from the current platform on first use and kept.
const TLMDSIPlatformFlags& LMDSIPlatformFlags();
inline bool LMDSIWindows95() { return LMDSIPlatformFlags().Windows95; }
inline bool LMDSIWindowsExtension() { return LMDSIPlatformFlags().WindowsExtension; }
inline bool LMDSIWindowsNT() { return LMDSIPlatformFlags().WindowsNT; }
inline bool LMDSIWindows2000() { return LMDSIPlatformFlags().Windows2000; }
inline bool LMDSIWindowsXP() { return LMDSIPlatformFlags().WindowsXP; }

// The memory figures now: the extended record when the platform answers it, otherwise the old
// 32-bit figures widened, with no extended virtual memory. All zero without the service.
TMemoryStatusEx LMDSIMemoryStatus();

// Single memory figures in bytes, each from a fresh memory status. A count too large for a
// signed 64-bit number is reported as 0.
int64_t LMDSIMemTotal();
int64_t LMDSIMemFree();
int64_t LMDSIMemPageTotal();
int64_t LMDSIMemPageFree();
int64_t LMDSIMemVirtTotal();
int64_t LMDSIMemVirtFree();
int64_t LMDSIMemVirtExtended();
// The percentage of physical memory in use; 0 when the platform reports more than 100.
uint8_t LMDSIMemLoaded();

// The processor type as text: "Intel 386", "Intel 486", "Intel Pentium", "Mips R2000" ...,
// "Alpha 21064", or the type number in decimal for any other type.
std::string LMDSIProcessorTypeStr();
// The number of processors, low 8 bits.
uint8_t LMDSIProcessorCount();
