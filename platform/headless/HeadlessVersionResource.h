#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/IVersionResource.h"

// A version resource that a test fills value by value, or takes away. It starts empty and
// present: every query of it finds nothing.
class THeadlessVersionResource : public IVersionResource {
public:
    std::unique_ptr<IVersionBlock> Read() const override;

    void SetValue(const std::string& SubBlock, std::vector<uint8_t> Bytes) { FValues[SubBlock] = std::move(Bytes); }
    // A text value, stored with its terminating NUL.
    void SetText(const std::string& SubBlock, const std::string& Text);
    void SetTranslation(uint16_t Language, uint16_t CodePage);
    // The fixed file information with the file version major.minor.release.build.
    void SetFileVersion(uint16_t Major, uint16_t Minor, uint16_t Release, uint16_t Build);
    // Whether the executable has a version resource at all.
    void SetPresent(bool Value) { FPresent = Value; }
    // How many copies were read and how many of them are still held.
    int Reads() const { return *FReads; }
    int Held() const { return *FHeld; }

private:
    std::map<std::string, std::vector<uint8_t>> FValues;
    bool FPresent = true;
    std::shared_ptr<int> FReads = std::make_shared<int>(0);
    std::shared_ptr<int> FHeld = std::make_shared<int>(0);
};
