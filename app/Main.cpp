#include <string>
#include <vector>

#include "app/EntryPoint.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    StartEarlyWork(arguments);
    return RunQuorvel(arguments);
}
