// LED text: any bytes measured and drawn by the segment renderer, with cell sizes the input
// chooses.
#include <algorithm>
#include <string>

#include "platform/gfx/Bitmap.h"
#include "tests/fuzz/FuzzInput.h"
#include "widgets/TLMDLED.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TFuzzInput input(Data, Size);
    TLMDLED led;
    led.SetHorzsize(input.NextByte() % 40);
    led.SetVertsize(input.NextByte() % 40);
    led.SetThickness(input.NextByte() % 12);
    const uint8_t flags = input.NextByte();
    const std::string text = input.Next();
    const TRect bounds = led.CalcBoundsRect(text, flags % 8);
    // The picture is kept small; the renderer clips what lies outside it.
    TBitmap picture(std::clamp(bounds.Width(), 1, 600), std::clamp(bounds.Height(), 1, 400));
    led.PaintLED(&picture.Canvas(), picture.BoundsRect(), text, (flags & 8) != 0, true);
    led.PaintLED(&picture.Canvas(), TRect(-5, -7, 3, 2), text, true, (flags & 16) != 0);
    return 0;
}
