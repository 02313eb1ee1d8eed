#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Takes a fuzzer's bytes apart into fields: each Next() gives the bytes up to the next null
// byte (or the rest), so one input can carry several texts and the seeds stay readable.
class TFuzzInput {
public:
    TFuzzInput(const uint8_t* Data, size_t Size) : FRest(reinterpret_cast<const char*>(Data), Size) {}

    std::string Next()
    {
        const size_t end = FRest.find('\0');
        std::string field(FRest.substr(0, end));
        FRest = end == std::string_view::npos ? std::string_view() : FRest.substr(end + 1);
        return field;
    }

    // The first byte of the next field as a number (0 when there is none), the field consumed.
    uint8_t NextByte()
    {
        const std::string field = Next();
        return field.empty() ? 0 : static_cast<uint8_t>(field[0]);
    }

private:
    std::string_view FRest;
};

// Stops the run with a crash the fuzzer records when a property of the parser does not hold.
#define FUZZ_CHECK(condition) \
    do {                      \
        if (!(condition))     \
            __builtin_trap(); \
    } while (0)
