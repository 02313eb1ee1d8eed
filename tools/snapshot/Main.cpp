// quorvel-snapshot: draws the saver's window headless and writes it as a PNG file.

#include <cstdio>
#include <string>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "tools/png/PngFile.h"
#include "tools/snapshot/SaverSnapshot.h"
#include "tools/snapshot/SnapshotMachine.h"
#include "tools/snapshot/SnapshotOptions.h"

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitBadArguments = 2;

int PrintHelp()
{
    const TSnapshotMachine machine{TSnapshotOptions{}};
    std::fputs(SnapshotUsage().c_str(), stdout);
    std::fputs("\n", stdout);
    std::fputs(machine.Figures().c_str(), stdout);
    return 0;
}

int TakeSnapshot(const TSnapshotOptions& Options)
{
    TBitmap picture;
    try {
        RenderSaverSnapshot(Options, picture);
    } catch (const Exception& e) {
        std::fprintf(stderr, "quorvel-snapshot: %s\n", e.Message().c_str());
        return ExitFailed;
    }
    if (!WritePng(Options.OutPath, picture)) {
        std::fprintf(stderr, "quorvel-snapshot: cannot write %s\n", Options.OutPath.c_str());
        return ExitFailed;
    }
    std::printf("%s: %dx%d\n", Options.OutPath.c_str(), picture.Width(), picture.Height());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    TSnapshotOptions options;
    try {
        options = ParseSnapshotOptions(arguments);
    } catch (const Exception& e) {
        std::fprintf(stderr, "quorvel-snapshot: %s\n", e.Message().c_str());
        return ExitBadArguments;
    }
    return options.Help ? PrintHelp() : TakeSnapshot(options);
}
