#include "sysinfo/LMDSysInfo.h"

#include "sysinfo/LMDSysIn.h"

namespace {

// The byte-count query behind each memory property, by its index.
int64_t MemoryBytes(int Index)
{
    switch (Index) {
    case 1: return LMDSIMemTotal();
    case 2: return LMDSIMemFree();
    case 3: return LMDSIMemVirtTotal();
    case 4: return LMDSIMemVirtFree();
    case 5: return LMDSIMemPageTotal();
    case 6: return LMDSIMemPageFree();
    case 7: return LMDSIMemVirtExtended();
    default: return 0;
    }
}

const TLMDSIStrings& EmptyList()
{
    static const TLMDSIStrings empty;
    return empty;
}

}  // namespace

// The processor is identified here, once, so ProcessorInfo is complete as soon as the
// object exists.
TLMDSysInfo::TLMDSysInfo() : FProcessorInfo(std::make_unique<TLMDCPUInfoObject>()) {}

// The members go in reverse order: the processor information first, then the environment list.
TLMDSysInfo::~TLMDSysInfo() = default;

// The facts other than the processor type are not asked of any platform yet and read as empty.
std::string TLMDSysInfo::GetInfoString(int Index) const
{
    if (Index == 13)
        return LMDSIProcessorTypeStr();
    return {};
}

// Build number, screen-saver delay, language, time zone and screen figures are not asked of
// any platform yet and read as 0.
int32_t TLMDSysInfo::GetInfoLongInt(int) const { return 0; }

// C++ integer division truncates toward zero, as a kilobyte count of a byte count should.
int64_t TLMDSysInfo::GetInfoLongLongInt(int Index) const { return MemoryBytes(Index) / 1024; }

// Lock keys and desktop settings are not asked of any platform yet: they read as false and
// writes change nothing.
bool TLMDSysInfo::GetInfoBool(int) const { return false; }

void TLMDSysInfo::SetInfoBool(int, bool) {}

// Locale items are not asked of any platform yet: they read as empty and writes change nothing.
std::string TLMDSysInfo::GetLocalInfo(int) const { return {}; }

void TLMDSysInfo::SetLocalInfo(int, const std::string&) {}

uint8_t TLMDSysInfo::GetProcessorNumber() const { return LMDSIProcessorCount(); }

// The following queries are not asked of any platform yet; each gives its neutral value and
// each write changes nothing.
uint8_t TLMDSysInfo::GetColorDepth() const { return 0; }
int32_t TLMDSysInfo::GetKeyboardDelay() const { return 0; }
void TLMDSysInfo::SetKeyboardDelay(int32_t) {}
int32_t TLMDSysInfo::GetKeyboardSpeed() const { return 0; }
void TLMDSysInfo::SetKeyboardSpeed(int32_t) {}

const TLMDSIStrings& TLMDSysInfo::GetEnvString()
{
    FEnvironment.clear();
    return FEnvironment;
}

const TLMDSIStrings& TLMDSysInfo::GetFonts() const { return EmptyList(); }
const TLMDSIStrings& TLMDSysInfo::GetPrinters() const { return EmptyList(); }
int32_t TLMDSysInfo::FreeSys() const { return 0; }
int32_t TLMDSysInfo::FreeGDI() const { return 0; }
int32_t TLMDSysInfo::FreeUSR() const { return 0; }

std::string TLMDSysInfo::GetEnvironmentValue(const std::string&) const { return {}; }
bool TLMDSysInfo::SetEnvironmentValue(const std::string&, const std::string&) { return false; }
std::string TLMDSysInfo::GetFileName() const { return {}; }

void TLMDSysInfo::GetDriveList(TLMDSIStrings* List) const
{
    if (List)
        List->clear();
}

TLMDDriveInfo TLMDSysInfo::GetDriveInfo(const std::string&) const { return {}; }
std::string TLMDSysInfo::GetDriveTypeString(int32_t) const { return {}; }
bool TLMDSysInfo::SetDesktopWallpaper(const std::string&) { return false; }
TRect TLMDSysInfo::GetScreenRect() const { return {}; }
bool TLMDSysInfo::GetWorkRect(TRect&) const { return false; }
