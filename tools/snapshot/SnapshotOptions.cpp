#include "tools/snapshot/SnapshotOptions.h"

#include <algorithm>

#include "app/SettingsStore.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"

namespace {

// A whole number written with decimal digits only; nothing for any other text, and for one
// too long to be a sensible size or count.
std::optional<int64_t> WholeNumber(const std::string& Text)
{
    if (Text.empty() || Text.size() > 9 || !std::all_of(Text.begin(), Text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoll(Text);
}

// Whether Text follows Pattern, in which 'd' stands for a decimal digit and every other
// character for itself.
bool FollowsPattern(const std::string& Text, const std::string& Pattern)
{
    if (Text.size() != Pattern.size())
        return false;
    for (size_t i = 0; i < Text.size(); ++i) {
        const bool matches = Pattern[i] == 'd' ? Text[i] >= '0' && Text[i] <= '9' : Text[i] == Pattern[i];
        if (!matches)
            return false;
    }
    return true;
}

int Digits(const std::string& Text, size_t At, size_t Count) { return std::stoi(Text.substr(At, Count)); }

void ReadSize(const std::string& Value, TSnapshotOptions& Into)
{
    const size_t cross = Value.find('x');
    const auto width = cross == std::string::npos ? std::nullopt : WholeNumber(Value.substr(0, cross));
    const auto height = cross == std::string::npos ? std::nullopt : WholeNumber(Value.substr(cross + 1));
    if (!width || !height)
        throw Exception("--size '" + Value + "' is not of the form WIDTHxHEIGHT, for example 1024x768");
    if (*width < 1 || *height < 1)
        throw Exception("--size " + Value + ": the screen must be at least 1 pixel wide and high");
    if (*width > MaxSnapshotSide || *height > MaxSnapshotSide || *width * *height > MaxSnapshotPixels)
        throw Exception("--size " + Value + ": the screen may be at most " + std::to_string(MaxSnapshotSide) +
                        " pixels on a side and 7680x4320 pixels in all");
    Into.Width = static_cast<int32_t>(*width);
    Into.Height = static_cast<int32_t>(*height);
}

void ReadTime(const std::string& Value, TSnapshotOptions& Into)
{
    if (!FollowsPattern(Value, "dddd-dd-ddTdd:dd:dd"))
        throw Exception("--time '" + Value + "' is not of the form YYYY-MM-DDTHH:MM:SS, for example 2024-03-05T09:41:15");
    TSystemTime t;
    t.Year = static_cast<uint16_t>(Digits(Value, 0, 4));
    t.Month = static_cast<uint16_t>(Digits(Value, 5, 2));
    t.Day = static_cast<uint16_t>(Digits(Value, 8, 2));
    t.Hour = static_cast<uint16_t>(Digits(Value, 11, 2));
    t.Minute = static_cast<uint16_t>(Digits(Value, 14, 2));
    t.Second = static_cast<uint16_t>(Digits(Value, 17, 2));
    t.Milliseconds = 0;
    try {
        const TDateTime day = EncodeDate(t.Year, t.Month, t.Day);
        EncodeTime(t.Hour, t.Minute, t.Second, 0);
        t.DayOfWeek = static_cast<uint16_t>(DayOfWeek(day) - 1);
    } catch (const Exception&) {
        throw Exception("--time " + Value + " is no date and time of the calendar");
    }
    Into.Time = t;
}

// The settings store reads a text that is no number as its default colour. Asked with two
// different defaults, it gives the same answer only for a text it reads as a number.
void ReadColour(const std::string& Value, TSnapshotOptions& Into)
{
    if (ClockColorFromText(Value, 0) != ClockColorFromText(Value, 1))
        throw Exception("--colour '" + Value + "' is no number; give it as the settings file holds it, "
                        "for example 255 (red) or 65280 (lime)");
    Into.Colour = Value;
}

void ReadMotionSteps(const std::string& Value, TSnapshotOptions& Into)
{
    const auto steps = WholeNumber(Value);
    if (!steps)
        throw Exception("--motion-steps '" + Value + "' is not a whole number of 0 or more");
    if (*steps > MaxMotionSteps)
        throw Exception("--motion-steps " + Value + ": at most " + std::to_string(MaxMotionSteps) + " steps");
    Into.MotionSteps = static_cast<int32_t>(*steps);
}

void ReadOut(const std::string& Value, TSnapshotOptions& Into) { Into.OutPath = Value; }

struct TOption {
    const char* Name;
    void (*Read)(const std::string& Value, TSnapshotOptions& Into);
};

const TOption Options[] = {
    {"--size", ReadSize},   {"--time", ReadTime}, {"--colour", ReadColour},
    {"--motion-steps", ReadMotionSteps}, {"--out", ReadOut},
};

const TOption* FindOption(const std::string& Name)
{
    for (const TOption& o : Options)
        if (Name == o.Name)
            return &o;
    return nullptr;
}

}  // namespace

TSnapshotOptions ParseSnapshotOptions(const std::vector<std::string>& Arguments)
{
    TSnapshotOptions options;
    if (std::find(Arguments.begin(), Arguments.end(), "--help") != Arguments.end()) {
        options.Help = true;
        return options;
    }
    std::vector<std::string> seen;
    for (size_t i = 0; i < Arguments.size(); ++i) {
        const std::string& name = Arguments[i];
        const TOption* option = FindOption(name);
        if (!option)
            throw Exception("unknown argument '" + name + "' (--help lists the options)");
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            throw Exception(name + " is given twice");
        seen.push_back(name);
        // A value never starts with "--": that is the next option, and this one has none.
        if (i + 1 >= Arguments.size() || Arguments[i + 1].empty() || Arguments[i + 1].rfind("--", 0) == 0)
            throw Exception(name + " needs a value");
        option->Read(Arguments[++i], options);
    }
    if (options.OutPath.empty())
        throw Exception("--out is missing: say which PNG file to write");
    return options;
}

std::string SnapshotUsage()
{
    return "Usage: quorvel-snapshot [--size WxH] [--time YYYY-MM-DDTHH:MM:SS] [--colour N] [--motion-steps K] --out FILE.png\n"
           "\n"
           "Draws the saver's window on a screen in memory, on a machine with the fixed figures below\n"
           "instead of this one's, and writes the picture as a PNG file. Only the text comes from this\n"
           "machine: the labels ask for Tw Cen MT and get League Spartan where it is not installed.\n"
           "\n"
           "  --size WxH          the screen in pixels (default 1024x768; at most 7680 on a side and\n"
           "                      7680x4320 in all)\n"
           "  --time ISO          the local time shown, as YYYY-MM-DDTHH:MM:SS (default\n"
           "                      2024-03-05T09:41:15)\n"
           "  --colour N          the clock colour as the settings file holds it (0x00BBGGRR as a\n"
           "                      decimal number, or hexadecimal after $ or 0x): 255 red, 65280 lime,\n"
           "                      -1 black; without it there is no settings file and the saver's\n"
           "                      default, red, applies\n"
           "  --motion-steps K    moving clock: K passes of the saver's idle step from the centred\n"
           "                      start before the picture is taken (default 0: centred; at most " +
           std::to_string(MaxMotionSteps) +
           ")\n"
           "  --out FILE.png      the picture to write\n"
           "  --help              this text\n";
}
