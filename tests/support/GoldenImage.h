#pragma once
#include <string>

#include <gtest/gtest.h>

#include "platform/gfx/Bitmap.h"
#include "tools/png/PngFile.h"   // ReadPng and WritePng, for tests that handle picture files themselves

// Compares Actual with the golden picture tests/golden/<Name>.png. On a mismatch the result
// names the first differing pixel with both values, and the actual picture and a diff (red
// where pixels differ, the golden picture dimmed elsewhere) are written to the test output
// folder. A test program started with --update-golden writes the golden picture instead.
::testing::AssertionResult MatchesGolden(const TBitmap& Actual, const std::string& Name);

// Whether two pictures have the same size and the same pixels.
bool SamePixels(const TBitmap& A, const TBitmap& B);

bool UpdatingGoldenImages();
void SetUpdatingGoldenImages(bool Update);

// The folder where failing tests leave their pictures, and the project's source folder.
std::string TestOutputDir();
std::string TestSourceRoot();
