#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/gfx/IFontEngine.h"
#include "skin/TRzURLLabel.h"
#include "skin/TsuiButton.h"
#include "skin/TsuiForm.h"
#include "skin/TsuiPageControl.h"
#include "skin/TsuiPanel.h"
#include "skin/TsuiRadioButton.h"
#include "skin/TsuiTabSheet.h"
#include "tests/skin/SkinFixture.h"
#include "tests/support/GoldenImage.h"

// The captions of every skinned control together, in the skin's face. Text comes out with
// different pixels from each font rasteriser, so each has its own picture.
TEST_F(SkinTest, CaptionsLookLikeTheGoldenPicture)
{
    auto* frame = Add<TsuiForm>(Form, {0, 0, 320, 240});
    frame->SetCaption("Quorvel Screensaver 1.0");
    auto* pages = Add<TsuiPageControl>(frame, TRect::FromSize(8, 34, 304, 170));
    TsuiTabSheet* settings = nullptr;
    for (const char* caption : {"Settings", "Help", "About"}) {
        auto* page = new TsuiTabSheet(Form);
        page->SetCaption(caption);
        page->SetPageControl(pages);
        if (!settings)
            settings = page;
    }
    auto* panel = Add<TsuiPanel>(settings, TRect::FromSize(8, 8, 282, 80));
    panel->SetCaption("Change the Clock Motion");
    panel->SetColor(clWhite);
    auto* center = Add<TsuiRadioButton>(panel, TRect::FromSize(48, 40, 55, 21));
    center->SetCaption("Center");
    center->SetChecked(true);
    Add<TsuiRadioButton>(panel, TRect::FromSize(176, 40, 81, 21))->SetCaption("Quorvel");
    Add<TsuiButton>(frame, TRect::FromSize(227, 212, 85, 20))->SetCaption("OK");
    auto* disabled = Add<TsuiButton>(frame, TRect::FromSize(134, 212, 85, 20));
    disabled->SetCaption("Disabled");
    disabled->SetEnabled(false);
    Add<TRzURLLabel>(frame, TRect::FromSize(10, 214, 100, 14))->SetCaption("quorvel.example");
    ShowAndPaint(*Form);
    EXPECT_TRUE(MatchesGolden(*Shot(*frame), "skin/captions-" + CurrentPlatform().Fonts->RasterizerName()));
}
