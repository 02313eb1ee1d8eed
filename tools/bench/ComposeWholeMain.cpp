// The saver as it would be without partial repaints: every pass composes and presents the
// whole screen. Only the benchmarks start it, to measure the real program against it side by
// side.

#include <string>
#include <vector>

#include "app/EntryPoint.h"
#include "framework/Application.h"

int main(int argc, char** argv)
{
    Application().SetComposeWhole(true);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    StartEarlyWork(arguments);
    return RunQuorvel(arguments);
}
