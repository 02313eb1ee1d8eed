// The command line: the arguments (separated by null bytes here) that choose the mode.
#include <string>
#include <vector>

#include "app/RunMode.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TFuzzInput input(Data, Size);
    std::vector<std::string> arguments;
    for (size_t used = 0; used < Size && arguments.size() < 8; used += arguments.back().size() + 1)
        arguments.push_back(input.Next());
    const RunMode mode = ModeFromArguments(arguments);
    FUZZ_CHECK(mode == RunMode::Saver || mode == RunMode::Preview || mode == RunMode::Settings);
    if (!arguments.empty())
        FUZZ_CHECK(ModeFromArgument(arguments[0]) == mode);
    return 0;
}
