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
// Puts Flags in place of the flags of this process until it is called with null, for tests that
// follow the branches of the other platform families.
void LMDSIOverridePlatformFlags(const TLMDSIPlatformFlags* Flags);
inline bool LMDSIWindows95() { return LMDSIPlatformFlags().Windows95; }
inline bool LMDSIWindowsExtension() { return LMDSIPlatformFlags().WindowsExtension; }
inline bool LMDSIWindowsNT() { return LMDSIPlatformFlags().WindowsNT; }
inline bool LMDSIWindows2000() { return LMDSIPlatformFlags().Windows2000; }
inline bool LMDSIWindowsXP() { return LMDSIPlatformFlags().WindowsXP; }

// The memory figures now: the extended record when the platform answers it, otherwise the old
// 32-bit figures widened, with no extended virtual memory. All zero without the service.
//
// The extended record is asked for on every version that has it, not only on the two versions
// whose flags are set: the old record cannot count beyond 4 GB and would understate every
// machine with more memory than that.
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
// The percentage of physical memory in use: the low 8 bits of what the platform reports.
uint8_t LMDSIMemLoaded();

// The processor type as text: "Intel 386", "Intel 486", "Intel Pentium", "Mips R2000" ...,
// "Alpha 21064", or the type number in decimal for any other type.
std::string LMDSIProcessorTypeStr();
// The number of processors, low 8 bits.
uint8_t LMDSIProcessorCount();

// The user the program runs as; "(Unknown)" when the platform cannot tell.
std::string LMDSIUserName();
std::string LMDSIComputerName();
// The registration of the system; "(Unknown)" when the key that holds it cannot be opened.
std::string LMDSIRegisteredOwner();
std::string LMDSIRegisteredCompany();
// The system's version as "major.minor", its build number (low 16 bits), platform identifier
// and the platform's name ("Win32s", "Windows 95", "Windows NT", else "(Unknown)").
std::string LMDSIVersionText();
int32_t LMDSIBuildNumber();
uint32_t LMDSIPlatformId();
std::string LMDSIPlatformName();
std::string LMDSIWindowsDirectory();
std::string LMDSISystemDirectory();
std::string LMDSITempPath();
std::string LMDSICurrentDirectory();
std::string LMDSIDefaultLanguageName();
std::string LMDSITimeZoneName();
// The screen-saver time-out in whole minutes.
int32_t LMDSIScreenSaverDelay();
// Colour planes times bits per pixel of the display, low 8 bits.
uint8_t LMDSIColorDepth();
// Whether a lock key (VirtualKeyNumLock, ...) is on: its state's low byte is exactly 1, so a key
// held down reads as off.
bool LMDSIKeyOn(uint8_t VirtualKey);
// The free percentages of the old resource library; 100 when it cannot be loaded or lacks its
// entry.
int32_t LMDSIFreeSysRes();
int32_t LMDSIFreeGDIRes();
int32_t LMDSIFreeUserRes();
// Size and free space in bytes of the drive that holds the current directory; 0 when unknown.
int64_t LMDSICurrentDiskSize();
int64_t LMDSICurrentDiskFree();
