#include <vector>

#include <gtest/gtest.h>

#include "skin/TsuiForm.h"
#include "skin/TsuiImagePanel.h"
#include "skin/TsuiPanel.h"
#include "tests/skin/SkinFixture.h"
#include "tests/support/GoldenImage.h"

// The frame over a whole frameless form, as the settings dialog has it.
class SuiFormTest : public SkinTest {
protected:
    TsuiForm* Frame = nullptr;

    void SetUp() override
    {
        SkinTest::SetUp();
        Frame = Add<TsuiForm>(Form, {0, 0, 320, 240});
        ShowAndPaint(*Form);
    }

    TPoint ButtonCentre(TsuiForm::TTitleButton Button)
    {
        const TRect r = Frame->TitleButtonRect(Button);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};

TEST_F(SuiFormTest, PressesAndMovesOnItsSurfaceAreReportedWithTheButtons)
{
    std::vector<TShiftState> downs;
    std::vector<TShiftState> moves;
    Frame->OnMouseDown = [&](TObject*, TMouseButton, TShiftState Shift, int, int) { downs.push_back(Shift); };
    Frame->OnMouseMove = [&](TObject*, TShiftState Shift, int, int) { moves.push_back(Shift); };
    Screen.MouseDown(Window(), TMouseButton::mbLeft, {60, 10});
    Screen.MouseMove(Window(), {64, 12}, ssLeft);
    Screen.MouseUp(Window(), TMouseButton::mbLeft, {64, 12});
    Screen.MouseDown(Window(), TMouseButton::mbLeft, {150, 150});
    Screen.MouseUp(Window(), TMouseButton::mbLeft, {150, 150});
    // A press on a title bar button is the button's, not the frame's.
    Screen.MouseDown(Window(), TMouseButton::mbLeft, ButtonCentre(TsuiForm::tbMaximize));
    Screen.MouseUp(Window(), TMouseButton::mbLeft, {150, 150});
    App.ProcessMessages();
    EXPECT_EQ(downs, (std::vector<TShiftState>{ssLeft, ssLeft}));
    ASSERT_FALSE(moves.empty());
    EXPECT_TRUE(moves.front() & ssLeft);
    EXPECT_TRUE(Screen.DefaultSystemCommands().empty()) << "a release away from a button does nothing";
}

TEST_F(SuiFormTest, TitleBarButtonsMinimiseMaximiseAndClose)
{
    ClickAt(ButtonCentre(TsuiForm::tbMinimize));
    ClickAt(ButtonCentre(TsuiForm::tbMaximize));
    ClickAt(ButtonCentre(TsuiForm::tbMaximize));
    EXPECT_EQ(Screen.DefaultSystemCommands(), (std::vector<uint32_t>{0xF020, 0xF030, 0xF120}));
    EXPECT_FALSE(App.Terminated());
    ClickAt(ButtonCentre(TsuiForm::tbClose));
    EXPECT_TRUE(App.Terminated()) << "closing the main form ends the application";
}

// The frame without a caption, with the pointer on the close button.
TEST_F(SuiFormTest, FrameLooksLikeTheGoldenPicture)
{
    Frame->SetBounds(0, 0, 160, 60);
    Screen.MouseMove(Window(), ButtonCentre(TsuiForm::tbClose));
    EXPECT_TRUE(MatchesGolden(*Shot(*Frame), "skin/frame"));
}

TEST_F(SuiFormTest, PanelWithoutCaptionLooksLikeTheGoldenPicture)
{
    auto* panel = Add<TsuiPanel>(Frame, {8, 40, 108, 90});
    panel->SetColor(clWhite);
    EXPECT_TRUE(MatchesGolden(*Shot(*panel), "skin/panel"));
}

TEST_F(SuiFormTest, ImagePanelShowsItsPictureAtNaturalSizeAndTheParentElsewhere)
{
    TBitmap picture(10, 6);
    picture.Canvas().Brush().Color = clBlue;
    picture.Canvas().FillRect(picture.BoundsRect());
    picture.SetPixel(0, 0, ColorToPixel(clRed));
    auto* image = Add<TsuiImagePanel>(Frame, {30, 50, 60, 70});
    image->SetPicture(picture);
    auto shot = Shot(*image);
    EXPECT_EQ(shot->Pixel(0, 0), ColorToPixel(clRed));
    EXPECT_EQ(shot->Pixel(9, 5), ColorToPixel(clBlue));
    EXPECT_EQ(shot->Pixel(10, 0), ColorToPixel(0x00E7E7E7)) << "the frame's face shows beside the picture";
    EXPECT_EQ(shot->Pixel(0, 6), ColorToPixel(0x00E7E7E7)) << "and below it";
    // A picture larger than the panel is cut off, not scaled.
    TBitmap large(50, 30);
    large.Canvas().Brush().Color = clLime;
    large.Canvas().FillRect(large.BoundsRect());
    image->SetPicture(large);
    shot = Shot(*image);
    EXPECT_EQ(shot->Pixel(29, 19), ColorToPixel(clLime));
    EXPECT_EQ(Shot(*Frame)->Pixel(60, 50), ColorToPixel(0x00E7E7E7));
}
