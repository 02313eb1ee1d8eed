#include "sysinfo/LMDCPUInfo.h"

#include <iterator>

#include "platform/ICpuId.h"
#include "platform/Platform.h"

namespace {

constexpr uint32_t ExtendedBase = 0x80000000;
constexpr uint32_t ExtendedFeatures = 0x80000001;
constexpr uint32_t FirstNameLeaf = 0x80000002;
constexpr uint32_t LastNameLeaf = 0x80000004;

// The leaf 1 EDX bits of the basic flags, in the order of TLMDCPUFeature.
constexpr int BasicFeatureBits[] = {0, 1, 2, 3, 4, 5, 7, 8, 9, 12, 13, 15, 23};

// The leaf 0x80000001 EDX bits of the three AMD flags.
constexpr struct { TLMDCPUFeature Feature; int Bit; } AmdFeatureBits[] = {
    {cfSysCallAndSysRet, 11}, {cfFPConditionalMove, 16}, {cfAMD3DNow, 31},
};

const ICpuId* Processor() { return CurrentPlatform().CpuId; }

// A platform without the service is taken as a processor without the instruction.
CpuIdRegisters AskLeaf(uint32_t Eax)
{
    const ICpuId* cpu = Processor();
    return cpu ? cpu->Leaf(Eax) : CpuIdRegisters{};
}

uint8_t Bit(uint32_t Word, int Index) { return static_cast<uint8_t>((Word >> Index) & 1); }

void StoreLittleEndian(uint32_t Word, char* Bytes)
{
    for (int i = 0; i < 4; ++i)
        Bytes[i] = static_cast<char>((Word >> (8 * i)) & 0xFF);
}

void ReadBasicLeaves(TLMDCPUInfo& Info)
{
    const CpuIdRegisters vendor = AskLeaf(0);
    StoreLittleEndian(vendor.Ebx, Info.VendorID);
    StoreLittleEndian(vendor.Edx, Info.VendorID + 4);
    StoreLittleEndian(vendor.Ecx, Info.VendorID + 8);

    const CpuIdRegisters signature = AskLeaf(1);
    Info.Stepping = static_cast<int32_t>(signature.Eax & 0xF);
    Info.Model = static_cast<int32_t>((signature.Eax >> 4) & 0xF);
    Info.Family = static_cast<int32_t>((signature.Eax >> 8) & 0xF);
    for (int i = 0; i < static_cast<int>(std::size(BasicFeatureBits)); ++i)
        Info.Features[i] = Bit(signature.Edx, BasicFeatureBits[i]);
}

// The highest extended leaf is only trusted when it is an extended leaf number at all: a
// processor without extended leaves may answer anything, and what it answers for leaves it
// does not have is not about the processor.
bool HasExtendedLeaves(uint32_t HighestLeaf)
{
    return (HighestLeaf & ExtendedBase) != 0 && (HighestLeaf & 0xFF) != 0;
}

std::string ReadName()
{
    char name[48] = {};
    if (AskLeaf(ExtendedBase).Eax >= LastNameLeaf) {
        for (uint32_t leaf = FirstNameLeaf; leaf <= LastNameLeaf; ++leaf) {
            const CpuIdRegisters r = AskLeaf(leaf);
            char* part = name + 16 * (leaf - FirstNameLeaf);
            StoreLittleEndian(r.Eax, part);
            StoreLittleEndian(r.Ebx, part + 4);
            StoreLittleEndian(r.Ecx, part + 8);
            StoreLittleEndian(r.Edx, part + 12);
        }
    }
    return LMDCPUBytesToText(name, sizeof name);
}

void ReadAmdLeaves(TLMDCPUInfo& Info)
{
    const CpuIdRegisters features = AskLeaf(ExtendedFeatures);
    for (const auto& f : AmdFeatureBits)
        Info.Features[f.Feature] = Bit(features.Edx, f.Bit);
    Info.Name = ReadName();
}

void ClearAmdFlags(TLMDCPUInfo& Info)
{
    for (const auto& f : AmdFeatureBits)
        Info.Features[f.Feature] = 0;
    Info.Name.clear();
}

bool IdentifyOnFreshRecord(int Feature)
{
    TLMDCPUInfo info;
    return LMDGetCPUInfo(info) && info.Features[Feature] != 0;
}

}  // namespace

std::string LMDCPUBytesToText(const char* Bytes, size_t Count)
{
    std::string text;
    for (size_t i = 0; i < Count && Bytes[i] != 0; ++i) {
        const auto byte = static_cast<unsigned char>(Bytes[i]);
        if (byte < 0x80) {
            text += static_cast<char>(byte);
        } else {
            text += static_cast<char>(0xC0 | (byte >> 6));
            text += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return text;
}

std::string LMDCPUVendorString(const TLMDCPUInfo& Info)
{
    return LMDCPUBytesToText(Info.VendorID, sizeof Info.VendorID);
}

bool LMDExistCPUInfo()
{
    const ICpuId* cpu = Processor();
    return cpu && cpu->IdFlagToggles();
}

bool LMDGetCPUInfo(TLMDCPUInfo& Info)
{
    Info.Name.clear();
    const bool hasCpuId = LMDExistCPUInfo();
    if (hasCpuId)
        ReadBasicLeaves(Info);

    // The extended leaves are asked only of a processor that has the instruction, whatever
    // vendor a reused record still names.
    if (hasCpuId && LMDCPUVendorString(Info) == "AuthenticAMD" && HasExtendedLeaves(AskLeaf(ExtendedBase).Eax))
        ReadAmdLeaves(Info);
    else
        ClearAmdFlags(Info);
    return LMDExistCPUInfo();
}

bool LMDExistMMX() { return IdentifyOnFreshRecord(cfMMX); }

bool LMDExist3DNow() { return IdentifyOnFreshRecord(cfAMD3DNow); }
