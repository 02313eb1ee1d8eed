// Prints the 45 info items of the system information in their order, one "Caption: value"
// line each, as the machine answers them now.
//
//   quorvel-info [--divisor N] [--format PATTERN]
//
// The divisor divides the numeric items (0 or none leaves them undivided); the pattern writes
// the date and time item. Bad arguments print the usage and end with status 2.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "sysinfo/LMDSIInfo.h"

namespace {

struct TOptions {
    uint32_t Divisor = 1;
    std::string Format;
};

bool ParseDivisor(const char* Text, uint32_t& Divisor)
{
    char* end = nullptr;
    const unsigned long long value = std::strtoull(Text, &end, 10);
    if (!*Text || *end || *Text == '-' || value > UINT32_MAX)
        return false;
    Divisor = static_cast<uint32_t>(value);
    return true;
}

bool ParseOptions(int argc, char** argv, TOptions& Options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            return false;
        if (option == "--divisor") {
            if (!ParseDivisor(argv[++i], Options.Divisor))
                return false;
        } else if (option == "--format") {
            Options.Format = argv[++i];
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: quorvel-info [--divisor N] [--format PATTERN]\n");
        return 2;
    }
    for (int item = 0; item < LMDSIInfoTypeCount; ++item) {
        const std::string caption = LMDSIInfoToString(item);
        const std::string value = GetSystemInfoString(item, options.Divisor, options.Format);
        std::printf("%s: %s\n", caption.c_str(), value.c_str());
    }
    return 0;
}
