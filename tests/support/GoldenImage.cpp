#include "tests/support/GoldenImage.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

bool gUpdate = false;

std::string Hex(TPixel p)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(p & 0xFFFFFF));
    return text;
}

// A picture of the differences: red where the pixels differ, the golden picture faded elsewhere.
void WriteDiff(const std::string& Path, const TBitmap& Golden, const TBitmap& Actual)
{
    const int32_t w = std::max(Golden.Width(), Actual.Width());
    const int32_t h = std::max(Golden.Height(), Actual.Height());
    TBitmap diff(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const bool inG = x < Golden.Width() && y < Golden.Height();
            const bool inA = x < Actual.Width() && y < Actual.Height();
            if (inG && inA && Golden.Pixel(x, y) == Actual.Pixel(x, y)) {
                const TPixel p = Golden.Pixel(x, y);
                const auto fade = [](uint32_t c) { return 192 + c / 4; };
                diff.SetPixel(x, y, (fade((p >> 16) & 0xFF) << 16) | (fade((p >> 8) & 0xFF) << 8) | fade(p & 0xFF));
            } else {
                diff.SetPixel(x, y, 0xFF0000);
            }
        }
    WritePng(Path, diff);
}

}  // namespace

bool UpdatingGoldenImages() { return gUpdate; }
void SetUpdatingGoldenImages(bool Update) { gUpdate = Update; }

std::string TestOutputDir() { return QUORVEL_TEST_OUT; }

bool SamePixels(const TBitmap& A, const TBitmap& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height())
        return false;
    for (int32_t y = 0; y < A.Height(); ++y)
        for (int32_t x = 0; x < A.Width(); ++x)
            if (A.Pixel(x, y) != B.Pixel(x, y))
                return false;
    return true;
}
std::string TestSourceRoot() { return QUORVEL_TEST_ROOT; }

::testing::AssertionResult MatchesGolden(const TBitmap& Actual, const std::string& Name)
{
    const std::string goldenPath = TestSourceRoot() + "/tests/golden/" + Name + ".png";
    if (gUpdate) {
        std::filesystem::create_directories(std::filesystem::path(goldenPath).parent_path());
        if (!WritePng(goldenPath, Actual))
            return ::testing::AssertionFailure() << "cannot write golden picture " << goldenPath;
        return ::testing::AssertionSuccess();
    }
    TBitmap golden;
    if (!ReadPng(goldenPath, golden))
        return ::testing::AssertionFailure() << "no golden picture " << goldenPath
                                             << " (run the test program with --update-golden to make it)";

    std::ostringstream problem;
    if (golden.Width() != Actual.Width() || golden.Height() != Actual.Height()) {
        problem << "size " << Actual.Width() << "x" << Actual.Height() << " differs from the golden "
                << golden.Width() << "x" << golden.Height();
    } else {
        for (int32_t y = 0; y < golden.Height() && problem.tellp() == 0; ++y)
            for (int32_t x = 0; x < golden.Width(); ++x)
                if (golden.Pixel(x, y) != Actual.Pixel(x, y)) {
                    problem << "first differing pixel (" << x << "," << y << "): actual " << Hex(Actual.Pixel(x, y))
                            << ", golden " << Hex(golden.Pixel(x, y));
                    break;
                }
    }
    if (problem.tellp() == 0)
        return ::testing::AssertionSuccess();

    std::string flat = Name;
    for (char& c : flat)
        if (c == '/')
            c = '_';
    const std::string actualPath = TestOutputDir() + "/" + flat + ".actual.png";
    const std::string diffPath = TestOutputDir() + "/" + flat + ".diff.png";
    std::filesystem::create_directories(TestOutputDir());
    WritePng(actualPath, Actual);
    WriteDiff(diffPath, golden, Actual);
    return ::testing::AssertionFailure() << Name << ": " << problem.str() << "; wrote " << actualPath << " and "
                                         << diffPath;
}
