#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A copy of the version resource of the program's own executable, read once and released with
// the object.
class IVersionBlock {
public:
    virtual ~IVersionBlock() = default;
    // The bytes of a value of the resource by its path ("\" the fixed file information,
    // "\VarFileInfo\Translation" the language and code page words, "\StringFileInfo\<lang and
    // code page>\<name>" a NUL-terminated text); nothing when the resource has no such value.
    virtual std::optional<std::vector<uint8_t>> Value(const std::string& SubBlock) const = 0;
};

// The version resource of the running executable.
class IVersionResource {
public:
    virtual ~IVersionResource() = default;
    // The resource, or null when the executable has none or it cannot be read.
    virtual std::unique_ptr<IVersionBlock> Read() const = 0;
};
