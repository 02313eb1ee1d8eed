#include <string>
#include <vector>

#include "app/EntryPoint.h"
#include "app/RunMode.h"
#include "platform/Platform.h"
#include "saver/ProcessorClock.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    // The saver window shows the processor clock, measured over half a second of sleep. Started
    // here, that half second passes while the window system opens and the window is built,
    // instead of before the first frame can show.
    if (ModeFromArguments(arguments) == RunMode::Saver)
        StartProcessorClockMeasurement(BackendTimingServices());
    return RunQuorvel(arguments);
}
