#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/headless/HeadlessCpuId.h"
#include "sysinfo/LMDCPUInfoObject.h"

namespace {

// Leaf 0 as the two vendors' processors answer it: EBX, EDX, ECX hold the vendor bytes.
constexpr CpuIdRegisters IntelLeaf0{0x0000000D, 0x756E6547, 0x6C65746E, 0x49656E69};  // GenuineIntel
constexpr CpuIdRegisters AmdLeaf0{0x00000010, 0x68747541, 0x444D4163, 0x69746E65};    // AuthenticAMD

constexpr uint32_t AmdExtendedBits = (1u << 11) | (1u << 16) | (1u << 31);

Platform WithProcessor(ICpuId* Cpu)
{
    Platform p;
    p.CpuId = Cpu;
    return p;
}

class CpuIdentification : public ::testing::Test {
protected:
    THeadlessCpuId Cpu;
    ScopedPlatform Scope{WithProcessor(&Cpu)};

    void Script(bool HasCpuId, const std::vector<std::pair<uint32_t, CpuIdRegisters>>& Leaves)
    {
        Cpu.ClearLeaves();
        Cpu.SetIdFlagToggles(HasCpuId);
        for (const auto& [eax, registers] : Leaves)
            Cpu.SetLeaf(eax, registers);
    }
};

uint16_t FlagsOf(const TLMDCPUInfoObject& Info)
{
    uint16_t flags = 0;
    for (int i = 0; i < LMDCPUFeatureCount; ++i)
        if (Info.GetBoolean(i))
            flags |= static_cast<uint16_t>(1u << i);
    return flags;
}

}  // namespace

TEST_F(CpuIdentification, ProcessorsOfEachKind)
{
    const char amdName[] = "  AMD Athlon(tm) 64 Processor 3200+";
    THeadlessCpuId nameSource;
    nameSource.SetNameLeaves(amdName, sizeof amdName);
    const CpuIdRegisters name2 = nameSource.Leaf(0x80000002), name3 = nameSource.Leaf(0x80000003),
                         name4 = nameSource.Leaf(0x80000004);
    const CpuIdRegisters allExtended{0, 0, 0, 0xFFFFFFFF};

    const struct {
        const char* row;
        bool hasCpuId;
        std::vector<std::pair<uint32_t, CpuIdRegisters>> leaves;
        std::string idString;
        int32_t stepping, model, family;
        uint16_t flags;   // bit i = flag of index i
        std::string cpuName;
    } cases[] = {
        {"Intel, extended bits and name leaves ignored", true,
         {{0, IntelLeaf0}, {1, {0x000306C3, 0, 0, 0x00800011}}, {0x80000000, {0x80000008}},
          {0x80000001, allExtended}, {0x80000002, name2}, {0x80000003, name3}, {0x80000004, name4}},
         "GenuineIntel", 3, 12, 6, 0x1011, ""},
        {"AMD with name leaves", true,
         {{0, AmdLeaf0}, {1, {0x00000F4A, 0, 0, 0x00000001}}, {0x80000000, {0x80000018}},
          {0x80000001, {0, 0, 0, AmdExtendedBits}}, {0x80000002, name2}, {0x80000003, name3}, {0x80000004, name4}},
         "AuthenticAMD", 10, 4, 15, 0xE001, amdName},
        {"AMD whose highest extended leaf is 0x80000001", true,
         {{0, AmdLeaf0}, {1, {0x00000F4A}}, {0x80000000, {0x80000001}},
          {0x80000001, {0, 0, 0, 1u << 31}}, {0x80000002, name2}, {0x80000003, name3}, {0x80000004, name4}},
         "AuthenticAMD", 10, 4, 15, 0x8000, ""},
        {"AMD without extended leaves", true,
         {{0, AmdLeaf0}, {1, {0x00000F4A}}, {0x80000000, {0x80000000}}, {0x80000001, allExtended},
          {0x80000002, name2}},
         "AuthenticAMD", 10, 4, 15, 0x0000, ""},
        {"AMD answering a basic leaf number for the highest extended leaf", true,
         {{0, AmdLeaf0}, {1, {0x00000F4A}}, {0x80000000, {0x00000005}}, {0x80000001, allExtended},
          {0x80000002, name2}, {0x80000003, name3}, {0x80000004, name4}},
         "AuthenticAMD", 10, 4, 15, 0x0000, ""},
        {"no CPUID", false,
         {{0, AmdLeaf0}, {1, {0x00000F4A, 0, 0, 0xFFFFFFFF}}, {0x80000000, {0x80000018}}, {0x80000001, allExtended}},
         "", 0, 0, 0, 0x0000, ""},
        {"vendor cut at a zero byte, so not AMD", true,
         {{0, {1, 0x68747541, 0x004D4163, 0x69746E65}}, {1, {0x00000F4A}}, {0x80000000, {0x80000018}},
          {0x80000001, allExtended}, {0x80000002, name2}},
         "AuthenticAM", 10, 4, 15, 0x0000, ""},
        {"vendor byte above 127 as a Latin-1 character", true,
         {{0, {1, 0x646E6556, 0x4544206F, 0x4342E972}}, {1, {0x00000F4A}}},
         "Vendr\xC3\xA9" "BCo DE", 10, 4, 15, 0x0000, ""},
    };
    for (const auto& c : cases) {
        Script(c.hasCpuId, c.leaves);
        const TLMDCPUInfoObject info;
        EXPECT_EQ(info.IDString(), c.idString) << c.row;
        EXPECT_EQ(info.Stepping(), c.stepping) << c.row;
        EXPECT_EQ(info.Model(), c.model) << c.row;
        EXPECT_EQ(info.Family(), c.family) << c.row;
        EXPECT_EQ(FlagsOf(info), c.flags) << c.row;
        EXPECT_EQ(info.CPUName(), c.cpuName) << c.row;
        EXPECT_EQ(info.ExistCPUInfo(), c.hasCpuId) << c.row;
    }
}

TEST_F(CpuIdentification, EachFlagPropertyReadsItsOwnBit)
{
    using Getter = bool (TLMDCPUInfoObject::*)() const;
    const struct { const char* property; Getter get; uint32_t leaf; int bit; } flags[] = {
        {"FPU", &TLMDCPUInfoObject::FPU, 1, 0},
        {"VirtualModeExtensions", &TLMDCPUInfoObject::VirtualModeExtensions, 1, 1},
        {"DebuggingExtensions", &TLMDCPUInfoObject::DebuggingExtensions, 1, 2},
        {"PageSizeExtensions", &TLMDCPUInfoObject::PageSizeExtensions, 1, 3},
        {"TimeStampCoutner", &TLMDCPUInfoObject::TimeStampCoutner, 1, 4},
        {"K86_ModelSpecificRegisters", &TLMDCPUInfoObject::K86_ModelSpecificRegisters, 1, 5},
        {"MachineCheckException", &TLMDCPUInfoObject::MachineCheckException, 1, 7},
        {"CMP_XCHG_8B", &TLMDCPUInfoObject::CMP_XCHG_8B, 1, 8},
        {"APIC", &TLMDCPUInfoObject::APIC, 1, 9},
        {"MemoryTypeRangeRegisters", &TLMDCPUInfoObject::MemoryTypeRangeRegisters, 1, 12},
        {"GlobalPaging", &TLMDCPUInfoObject::GlobalPaging, 1, 13},
        {"Cond_MOVE_Instruct", &TLMDCPUInfoObject::Cond_MOVE_Instruct, 1, 15},
        {"MMX", &TLMDCPUInfoObject::MMX, 1, 23},
        {"SysCallAndSysRet", &TLMDCPUInfoObject::SysCallAndSysRet, 0x80000001, 11},
        {"FPCond_MOVE_Instruct", &TLMDCPUInfoObject::FPCond_MOVE_Instruct, 0x80000001, 16},
        {"AMD3DNow", &TLMDCPUInfoObject::AMD3DNow, 0x80000001, 31},
    };
    for (const auto& set : flags) {
        Script(true, {{0, AmdLeaf0}, {0x80000000, {0x80000008}}});
        Cpu.SetLeaf(set.leaf, {0, 0, 0, 1u << set.bit});
        const TLMDCPUInfoObject info;
        for (int i = 0; i < LMDCPUFeatureCount; ++i) {
            EXPECT_EQ((info.*flags[i].get)(), &set == &flags[i]) << "bit of " << set.property << ", read as " << flags[i].property;
            EXPECT_EQ(info.GetBoolean(i), &set == &flags[i]) << "bit of " << set.property << ", read by index " << i;
        }
    }

    // Every other bit of the two feature leaves is left alone.
    uint32_t basic = 0, extended = 0;
    for (const auto& f : flags)
        (f.leaf == 1 ? basic : extended) |= 1u << f.bit;
    Script(true, {{0, AmdLeaf0}, {1, {0, 0, 0xFFFFFFFF, ~basic}}, {0x80000000, {0x80000008}},
                  {0x80000001, {0, 0, 0xFFFFFFFF, ~extended}}});
    EXPECT_EQ(FlagsOf(TLMDCPUInfoObject()), 0) << "bits outside the flag table";
}

TEST_F(CpuIdentification, NameFillingAllFortyEightBytesIsKeptWhole)
{
    const std::string name(48, 'x');
    Script(true, {{0, AmdLeaf0}, {0x80000000, {0x80000004}}});
    Cpu.SetNameLeaves(name.data(), name.size());
    EXPECT_EQ(TLMDCPUInfoObject().CPUName(), name);
}

TEST_F(CpuIdentification, IndicesOutsideTheirRangesGiveNeutralValues)
{
    Script(true, {{0, AmdLeaf0}, {1, {0x00000F4A, 0, 0, 0xFFFFFFFF}}, {0x80000000, {0x80000018}},
                  {0x80000001, {0, 0, 0, 0xFFFFFFFF}}});
    const TLMDCPUInfoObject info;
    for (int index : {-1, 2, 100})
        EXPECT_EQ(info.GetString(index), "") << "GetString(" << index << ")";
    for (int index : {-1, 3, 100})
        EXPECT_EQ(info.GetInteger(index), 0) << "GetInteger(" << index << ")";
    for (int index : {-1, 17, 100})
        EXPECT_FALSE(info.GetBoolean(index)) << "GetBoolean(" << index << ")";
}

TEST_F(CpuIdentification, IdentificationIsKeptButAvailabilityIsAskedAnew)
{
    Script(true, {{0, IntelLeaf0}, {1, {0x000306C3, 0, 0, 1}}});
    TLMDCPUInfoObject info;
    info.SetCPUName("written");
    info.SetExistCPUInfo(false);
    info.SetMMX(true);
    Cpu.SetLeaf(0, AmdLeaf0);
    EXPECT_EQ(info.IDString(), "GenuineIntel");
    EXPECT_EQ(info.CPUName(), "");
    EXPECT_FALSE(info.MMX());
    EXPECT_TRUE(info.ExistCPUInfo());

    Cpu.SetIdFlagToggles(false);
    EXPECT_FALSE(info.ExistCPUInfo());
    EXPECT_EQ(info.IDString(), "GenuineIntel");
    EXPECT_TRUE(info.FPU());
}

// Without CPUID a reused record keeps its basic part; the AMD part is cleared and the
// extended leaves are not asked, whatever vendor the record still names.
TEST_F(CpuIdentification, WithoutCpuIdAReusedRecordKeepsItsBasicPart)
{
    Script(false, {{0x80000000, {0x80000018}}, {0x80000001, {0, 0, 0, 0xFFFFFFFF}}});
    TLMDCPUInfo record;
    std::memcpy(record.VendorID, "AuthenticAMD", 12);
    record.Stepping = 2;
    record.Family = 6;
    record.Features[cfFPU] = 1;
    record.Features[cfAMD3DNow] = 1;
    record.Name = "old name";

    EXPECT_FALSE(LMDGetCPUInfo(record));
    EXPECT_EQ(LMDCPUVendorString(record), "AuthenticAMD");
    EXPECT_EQ(record.Stepping, 2);
    EXPECT_EQ(record.Family, 6);
    EXPECT_EQ(record.Features[cfFPU], 1);
    EXPECT_EQ(record.Features[cfAMD3DNow], 0);
    EXPECT_EQ(record.Features[cfSysCallAndSysRet], 0);
    EXPECT_EQ(record.Name, "");
}

TEST_F(CpuIdentification, SingleQuestionsAboutMmxAnd3DNow)
{
    const uint32_t mmx = 1u << 23;
    const struct {
        const char* row;
        bool hasCpuId;
        std::vector<std::pair<uint32_t, CpuIdRegisters>> leaves;
        bool mmx, amd3DNow;
    } cases[] = {
        {"no CPUID", false, {{0, AmdLeaf0}, {1, {0, 0, 0, mmx}}, {0x80000000, {0x80000001}}, {0x80000001, {0, 0, 0, 1u << 31}}}, false, false},
        {"Intel with MMX and the 3DNow bit", true, {{0, IntelLeaf0}, {1, {0, 0, 0, mmx}}, {0x80000000, {0x80000001}}, {0x80000001, {0, 0, 0, 1u << 31}}}, true, false},
        {"AMD with both", true, {{0, AmdLeaf0}, {1, {0, 0, 0, mmx}}, {0x80000000, {0x80000001}}, {0x80000001, {0, 0, 0, 1u << 31}}}, true, true},
        {"AMD with neither", true, {{0, AmdLeaf0}, {1, {0, 0, 0, ~mmx}}, {0x80000000, {0x80000001}}, {0x80000001, {0, 0, 0, ~(1u << 31)}}}, false, false},
    };
    for (const auto& c : cases) {
        Script(c.hasCpuId, c.leaves);
        EXPECT_EQ(LMDExistMMX(), c.mmx) << c.row;
        EXPECT_EQ(LMDExist3DNow(), c.amd3DNow) << c.row;
        EXPECT_EQ(LMDExistCPUInfo(), c.hasCpuId) << c.row;
    }
}

TEST(CpuIdentificationWithoutService, APlatformWithoutTheInstructionIdentifiesNothing)
{
    const ScopedPlatform none{Platform{}};
    const TLMDCPUInfoObject info;
    EXPECT_FALSE(info.ExistCPUInfo());
    EXPECT_EQ(info.IDString(), "");
    EXPECT_EQ(info.Family(), 0);
    EXPECT_FALSE(LMDExistMMX());
}
