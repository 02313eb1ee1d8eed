#pragma once
#include <cstddef>
#include <cstdint>

// The pictures the program carries inside itself, compiled in from the files in assets/ (made
// by the artwork tool), so that an executable copied alone still shows them.
struct TEmbeddedAsset {
    const uint8_t* Data;
    size_t Size;
};

// The About page's banner, a 275 x 67 JPEG picture.
TEmbeddedAsset AboutBannerJpeg();
// The program's icon: a Windows icon file with 16, 32 and 48 pixel pictures.
TEmbeddedAsset ProgramIcon();
// The preview picture of the saver, a 160 x 166 JPEG picture.
TEmbeddedAsset PreviewJpeg();
