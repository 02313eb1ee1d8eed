#pragma once
#include <cstdint>
#include <string>

// The facts the display interface of the system information offers, in a fixed order.
enum TLMDInfoType : uint8_t {
    itUser, itWinDir, itCurrentDir32, itCurrentDiskFree32, itCurrentDiskSize32, itSystemDir,
    itReg_Owner32, itReg_Company32, itVersion, itColorDepth, itScreenSaverDelay, itMemSize,
    itFreeSysRes, itFreeGDIRes, itFreeUserRes, itComputerName32, itMajorVerNr32, itBuildNr32,
    itMemLoaded32, itMemFree32, itMemPageFree32, itMemPageTotal32, itMemVirtFree32,
    itMemVirtTotal32, itPlatformID32, itPlatform32, itProcessorCont32, itProcessor32,
    itTempPath32, itDOSVersion, itNumLock, itCapsLock, itScroll, itCurrentDateTime,
    itProgCompany, itProgName, itProgVersion, itFileVersion, itFileVersionFull,
    itFileVersionBuild, itProgCopyright, itProgTrademark, itProgDescription, itProgComments,
    itCPUSpeed,
};
constexpr int LMDSIInfoTypeCount = 45;

// The entries of the program's own version resource.
enum TLMDVersionInfoType : uint8_t {
    viCompany, viName, viVersion, viCopyright, viTrademark, viDescription, viComments,
    viFileVersion, viFileVersionFull, viFileVersionBuild,
};

// The caption of an item ("Username", "Memory size", ...); empty for an ordinal above 44.
std::string LMDSIInfoToString(int Item);

// The value of an item as text. Numbers are divided by Divisor and written in decimal, without
// separators: byte counts as signed 64-bit numbers, other figures as unsigned 32-bit ones, the
// processor clock as a decimal fraction; both integer divisions truncate. A divisor of 0 counts
// as 1, so the number is shown undivided. Format is the date-time pattern of
// itCurrentDateTime (see LMDSIFormatDateTime). An ordinal above 44 gives the empty text.
std::string GetSystemInfoString(int Item, uint32_t Divisor, const std::string& Format);

// An entry of the running executable's version resource; empty when there is no resource or no
// such entry. The file version kinds give "1.2", "1.2.3.4" and "1.2 (Build 3.4)".
std::string LMDSIVersionInfo(int Kind);

// The processor clock in MHz, counted over half a second at the highest priority the process
// may have; 0 without a cycle counter.
double LMDSIGetCPUSpeed();
