#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "tests/support/GoldenImage.h"
#include "tools/snapshot/SaverSnapshot.h"
#include "tools/snapshot/SnapshotOptions.h"

namespace {

// The picture the README and the golden show: 1024 x 768 at 09:41:15 on 5 March 2024, red,
// centred.
const char* const GoldenName = "snapshot/saver-1024x768";

TSnapshotOptions GoldenOptions()
{
    TSnapshotOptions options;
    options.Colour = "255";
    return options;
}

std::string Hex(TPixel Pixel)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(Pixel));
    return text;
}

bool HasPixel(const TBitmap& Picture, TPixel Value)
{
    for (int32_t y = 0; y < Picture.Height(); ++y)
        for (int32_t x = 0; x < Picture.Width(); ++x)
            if (Picture.Pixel(x, y) == Value)
                return true;
    return false;
}

// Whether Moved is Centred shifted by (Dx, Dy) with black where nothing was shifted to; the
// text names the first pixel where it is not.
::testing::AssertionResult IsShifted(const TBitmap& Moved, const TBitmap& Centred, int32_t Dx, int32_t Dy)
{
    for (int32_t y = 0; y < Moved.Height(); ++y)
        for (int32_t x = 0; x < Moved.Width(); ++x) {
            const int32_t sx = x - Dx, sy = y - Dy;
            const bool inside = sx >= 0 && sy >= 0 && sx < Centred.Width() && sy < Centred.Height();
            const TPixel expected = inside ? Centred.Pixel(sx, sy) : 0;
            if (Moved.Pixel(x, y) != expected)
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") is " << Hex(Moved.Pixel(x, y))
                                                     << ", expected " << Hex(expected);
        }
    return ::testing::AssertionSuccess();
}

// The tool run as a person runs it: its exit code and what it printed on both channels.
struct TToolRun {
    int ExitCode = -1;
    std::string Output;
};

TToolRun RunTool(const std::string& Arguments)
{
    const std::string command = std::string(QUORVEL_SNAPSHOT_TOOL) + " " + Arguments + " 2>&1";
    TToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[512];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        run.Output.append(buffer, n);
    const int status = pclose(pipe);
    run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace

TEST(SaverSnapshot, MatchesTheGoldenPicture)
{
    TBitmap picture;
    RenderSaverSnapshot(GoldenOptions(), picture);
    EXPECT_TRUE(MatchesGolden(picture, GoldenName));
}

// The colour comes from the settings file through the saver's own settings store: every text
// the store reads as red gives the golden picture, with no file at all included, and another
// colour reaches the clock, the date and the labels while the bars keep theirs.
TEST(SaverSnapshot, TheColourIsReadFromTheSettingsFile)
{
    TBitmap red;
    RenderSaverSnapshot(GoldenOptions(), red);
    const std::optional<std::string> redTexts[] = {std::nullopt, "$FF", "0xFF", "  255"};
    for (const auto& text : redTexts) {
        TSnapshotOptions options = GoldenOptions();
        options.Colour = text;
        TBitmap picture;
        RenderSaverSnapshot(options, picture);
        EXPECT_TRUE(SamePixels(picture, red)) << (text ? *text : "no settings file");
    }

    TSnapshotOptions options = GoldenOptions();
    options.Colour = "16711680";   // blue in the 0x00BBGGRR encoding
    TBitmap blue;
    RenderSaverSnapshot(options, blue);
    EXPECT_TRUE(HasPixel(red, 0xFF0000));
    EXPECT_FALSE(HasPixel(red, 0x0000FF));
    EXPECT_TRUE(HasPixel(blue, 0x0000FF));
    EXPECT_FALSE(HasPixel(blue, 0xFF0000));
}

// The idle passes move the panel one pixel per axis each, turning at the edges, and the screen
// then shows exactly the centred picture at the new place: nothing is left behind where the
// panel was and nothing of it is missing.
TEST(SaverSnapshot, MotionStepsMoveTheWholePanelAndLeaveNothingBehind)
{
    TBitmap centred;
    RenderSaverSnapshot(GoldenOptions(), centred);
    const struct { int32_t steps; TPoint panel; } cases[] = {
        {1, {290, 174}},
        {300, {6, 122}},   // turned at the top on pass 177 and at the left on pass 293
    };
    for (const auto& c : cases) {
        TSnapshotOptions options = GoldenOptions();
        options.MotionSteps = c.steps;
        TBitmap moved;
        RenderSaverSnapshot(options, moved);
        EXPECT_TRUE(IsShifted(moved, centred, c.panel.X - 291, c.panel.Y - 175)) << c.steps << " steps";
    }
}

TEST(SnapshotOptions, ReadsEveryOption)
{
    const TSnapshotOptions o = ParseSnapshotOptions({"--size", "1280x1024", "--time", "2023-12-31T23:59:58", "--colour",
                                                     "-1", "--motion-steps", "250", "--out", "a.png"});
    EXPECT_EQ(o.Width, 1280);
    EXPECT_EQ(o.Height, 1024);
    EXPECT_EQ(o.Time.Year, 2023);
    EXPECT_EQ(o.Time.Month, 12);
    EXPECT_EQ(o.Time.Day, 31);
    EXPECT_EQ(o.Time.DayOfWeek, 0);   // a Sunday
    EXPECT_EQ(o.Time.Hour, 23);
    EXPECT_EQ(o.Time.Minute, 59);
    EXPECT_EQ(o.Time.Second, 58);
    EXPECT_EQ(o.Colour, "-1");
    EXPECT_EQ(o.MotionSteps, 250);
    EXPECT_EQ(o.OutPath, "a.png");

    const TSnapshotOptions defaults = ParseSnapshotOptions({"--out", "b.png"});
    EXPECT_EQ(defaults.Width, 1024);
    EXPECT_EQ(defaults.Height, 768);
    EXPECT_EQ(defaults.Time.DayOfWeek, 2);   // Tuesday, 5 March 2024
    EXPECT_FALSE(defaults.Colour);
    EXPECT_EQ(defaults.MotionSteps, 0);
    EXPECT_TRUE(ParseSnapshotOptions({"--size", "x", "--help"}).Help);
}

TEST(SnapshotOptions, BadArgumentsAreRefusedWithAMessageThatNamesThem)
{
    const struct { std::vector<std::string> args; const char* says; } cases[] = {
        {{"--out", "a.png", "--bogus"}, "unknown argument '--bogus'"},
        {{"--out", "a.png", "shot.png"}, "unknown argument 'shot.png'"},
        {{"--size", "1024x768"}, "--out is missing"},
        {{"--out"}, "--out needs a value"},
        {{"--size", "--out", "a.png"}, "--size needs a value"},
        {{"--out", "a.png", "--out", "b.png"}, "--out is given twice"},
        {{"--size", "1024*768", "--out", "a.png"}, "not of the form WIDTHxHEIGHT"},
        {{"--size", "1024x", "--out", "a.png"}, "not of the form WIDTHxHEIGHT"},
        {{"--size", "-5x768", "--out", "a.png"}, "not of the form WIDTHxHEIGHT"},
        {{"--size", "0x768", "--out", "a.png"}, "at least 1 pixel"},
        {{"--size", "1024x0", "--out", "a.png"}, "at least 1 pixel"},
        {{"--size", "7681x100", "--out", "a.png"}, "at most 7680 pixels on a side"},
        {{"--size", "7680x7680", "--out", "a.png"}, "7680x4320 pixels in all"},
        {{"--size", "99999999999x1", "--out", "a.png"}, "not of the form WIDTHxHEIGHT"},
        {{"--time", "2024-03-05 09:41:15", "--out", "a.png"}, "not of the form YYYY-MM-DDTHH:MM:SS"},
        {{"--time", "2024-3-5T09:41:15", "--out", "a.png"}, "not of the form YYYY-MM-DDTHH:MM:SS"},
        {{"--time", "2023-02-29T09:41:15", "--out", "a.png"}, "no date and time of the calendar"},
        {{"--time", "2024-03-05T24:00:00", "--out", "a.png"}, "no date and time of the calendar"},
        {{"--time", "0000-01-01T00:00:00", "--out", "a.png"}, "no date and time of the calendar"},
        {{"--colour", "red", "--out", "a.png"}, "--colour 'red' is no number"},
        {{"--colour", "99999999999", "--out", "a.png"}, "is no number"},
        {{"--motion-steps", "-1", "--out", "a.png"}, "not a whole number of 0 or more"},
        {{"--motion-steps", "1.5", "--out", "a.png"}, "not a whole number of 0 or more"},
        {{"--motion-steps", "100001", "--out", "a.png"}, "at most 100000 steps"},
    };
    for (const auto& c : cases) {
        std::string message = "(accepted)";
        try {
            ParseSnapshotOptions(c.args);
        } catch (const Exception& e) {
            message = e.Message();
        }
        EXPECT_NE(message.find(c.says), std::string::npos) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "")
                                                           << ": " << message;
    }
}

// The tool itself writes the golden picture, and ends bad arguments with a message and exit
// code 2, without writing anything.
TEST(SnapshotTool, WritesThePictureAsPng)
{
    const std::string out = TestOutputDir() + "/snapshot-tool.png";
    std::filesystem::remove(out);
    const TToolRun run =
        RunTool("--size 1024x768 --time 2024-03-05T09:41:15 --colour 255 --motion-steps 0 --out '" + out + "'");
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    TBitmap written;
    ASSERT_TRUE(ReadPng(out, written)) << out;
    EXPECT_TRUE(MatchesGolden(written, GoldenName));
}

TEST(SnapshotTool, AnswersHelpAndBadArguments)
{
    const std::string out = TestOutputDir() + "/snapshot-refused.png";
    const struct { std::string args; int exitCode; const char* says; } cases[] = {
        {"--help", 0, "2394 MHz"},
        {"--help", 0, "--motion-steps K"},
        {"--frobnicate --out '" + out + "'", 2, "unknown argument '--frobnicate'"},
        {"--size 0x0 --out '" + out + "'", 2, "at least 1 pixel"},
        {"--size 1024x768", 2, "--out is missing"},
        {"--out /nonexistent-folder/shot.png", 1, "cannot write /nonexistent-folder/shot.png"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(out);
        const TToolRun run = RunTool(c.args);
        EXPECT_EQ(run.ExitCode, c.exitCode) << c.args << "\n" << run.Output;
        EXPECT_NE(run.Output.find(c.says), std::string::npos) << c.args << "\n" << run.Output;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.args;
    }
}
