#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/IClock.h"

// What the snapshot tool is asked to draw, read from its command line:
//
//   --size WxH          the screen, in pixels (1024x768 when not given)
//   --time ISO          the local time shown, as 2024-03-05T09:41:15 (that time when not given)
//   --colour N          the clock colour as the settings file holds it; without it there is no
//                       settings file and the saver's default colour applies
//   --motion-steps K    passes of the moving clock's idle step before the picture (0: centred)
//   --out PATH          the PNG file to write (required)
//   --help              the usage and the figures the readouts show
struct TSnapshotOptions {
    int32_t Width = 1024;
    int32_t Height = 768;
    TSystemTime Time{2024, 3, 2, 5, 9, 41, 15, 0};
    std::optional<std::string> Colour;   // the text as it stands in the settings file
    int32_t MotionSteps = 0;
    std::string OutPath;
    bool Help = false;
};

// The largest screen the tool draws: each side up to this many pixels, and at most an
// 8K screen's pixels in all, so that a mistyped size asks for no more memory than a picture
// of that screen takes.
constexpr int32_t MaxSnapshotSide = 7680;
constexpr int64_t MaxSnapshotPixels = int64_t(7680) * 4320;
// Enough passes for the clock to cross even the widest screen several times.
constexpr int32_t MaxMotionSteps = 100000;

// Reads the arguments (the program path left out). Raises Exception with a message that names
// the argument at fault for an unknown option, a missing or malformed value, an option given
// twice, a size or a number of steps out of range, and a missing --out unless --help was asked.
TSnapshotOptions ParseSnapshotOptions(const std::vector<std::string>& Arguments);

// The usage text that --help prints.
std::string SnapshotUsage();
