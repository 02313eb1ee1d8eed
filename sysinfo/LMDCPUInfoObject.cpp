#include "sysinfo/LMDCPUInfoObject.h"

TLMDCPUInfoObject::TLMDCPUInfoObject()
{
    GetInfo();
}

void TLMDCPUInfoObject::GetInfo()
{
    LMDGetCPUInfo(FInfo);
}

std::string TLMDCPUInfoObject::GetString(int Index) const
{
    switch (Index) {
    case 0: return LMDCPUVendorString(FInfo);
    case 1: return FInfo.Name;
    default: return {};
    }
}

int32_t TLMDCPUInfoObject::GetInteger(int Index) const
{
    switch (Index) {
    case 0: return FInfo.Stepping;
    case 1: return FInfo.Model;
    case 2: return FInfo.Family;
    default: return 0;
    }
}

bool TLMDCPUInfoObject::GetBoolean(int Index) const
{
    if (Index >= 0 && Index < LMDCPUFeatureCount)
        return FInfo.Features[Index] != 0;
    if (Index == LMDCPUFeatureCount)
        return LMDExistCPUInfo();
    return false;
}

void TLMDCPUInfoObject::SetDummyBool(int, bool) {}

void TLMDCPUInfoObject::SetDummyString(int, const std::string&) {}
