#include <cstring>

#include <gtest/gtest.h>

#include "tests/support/GoldenImage.h"

// The test programs' entry point. Besides GoogleTest's own flags it takes --update-golden,
// which rewrites the golden pictures from what the code draws now instead of comparing.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--update-golden") == 0)
            SetUpdatingGoldenImages(true);
    return RUN_ALL_TESTS();
}
