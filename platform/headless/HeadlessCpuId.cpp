#include "platform/headless/HeadlessCpuId.h"

#include <cstring>

namespace {

uint32_t LittleEndianWord(const char* Bytes)
{
    uint32_t word = 0;
    for (int i = 3; i >= 0; --i)
        word = (word << 8) | static_cast<unsigned char>(Bytes[i]);
    return word;
}

}  // namespace

CpuIdRegisters THeadlessCpuId::Leaf(uint32_t Eax) const
{
    auto found = FLeaves.find(Eax);
    return found == FLeaves.end() ? CpuIdRegisters{} : found->second;
}

void THeadlessCpuId::SetVendor(const char (&Bytes)[12], uint32_t Eax)
{
    SetLeaf(0, {Eax, LittleEndianWord(Bytes), LittleEndianWord(Bytes + 8), LittleEndianWord(Bytes + 4)});
}

void THeadlessCpuId::SetNameLeaves(const char* Bytes, size_t Count)
{
    char name[48] = {};
    std::memcpy(name, Bytes, Count < sizeof name ? Count : sizeof name);
    for (uint32_t leaf = 0; leaf < 3; ++leaf) {
        const char* part = name + 16 * leaf;
        SetLeaf(0x80000002 + leaf, {LittleEndianWord(part), LittleEndianWord(part + 4),
                                    LittleEndianWord(part + 8), LittleEndianWord(part + 12)});
    }
}
