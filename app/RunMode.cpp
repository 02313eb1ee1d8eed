#include "app/RunMode.h"

namespace {

// Lower-cases the letters A to Z only, so that bytes of other scripts stay as they are.
std::string AsciiLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

RunMode ModeFromArgument(std::string_view Argument)
{
    // The three tests run one after the other and a later match wins, so "/p/c" is settings.
    RunMode mode = RunMode::Saver;
    const std::string lower = AsciiLower(Argument);
    if (lower == "/s")
        mode = RunMode::Saver;
    if (lower == "/p")
        mode = RunMode::Preview;
    if (Argument.find("/c") != std::string_view::npos)
        mode = RunMode::Settings;
    return mode;
}

RunMode ModeFromArguments(const std::vector<std::string>& Arguments)
{
    return Arguments.empty() ? RunMode::Saver : ModeFromArgument(Arguments.front());
}
