#include <gtest/gtest.h>

#include "platform/core/Exception.h"
#include "saver/SaverSettings.h"
#include "saver/Unit1.h"
#include "tests/framework/FrameworkFixture.h"
#include "widgets/TLMDBackPanel.h"

// The saver window on a 1024 x 768 headless screen, with the motion setting a test chooses.
class SaverWindow : public FrameworkTest {
protected:
    TForm1* Form = nullptr;
    TSaverSettings Saved = SaverSettings();

    void SetUp() override
    {
        Screen.SetScreenSize(1024, 768);
        SaverSettings().ReadStyle = [] { return 0; };
    }
    void TearDown() override { SaverSettings() = Saved; }

    void Start()
    {
        Form = App.CreateForm<TForm1>();
        Form->Show();
        App.ProcessMessages();
    }
    TNativeWindow Window() { return Form->Handle(); }
    bool Closed() const { return App.Terminated(); }
    // A point outside the centred panel (291, 175)-(732, 592).
    static TPoint Outside(int i) { return {10 + i, 10 + 2 * i}; }
    static TPoint OverPanel(int i) { return {300 + i, 200 + i}; }
};

TEST_F(SaverWindow, CoversTheScreenAndCentresThePanel)
{
    const struct { int32_t w, h; TRect panel; } cases[] = {
        {1024, 768, {291, 175, 732, 592}},
        {1280, 1024, {419, 303, 860, 720}},
        {400, 300, {-20, -58, 421, 359}},   // a screen smaller than the panel truncates towards zero
    };
    for (const auto& c : cases) {
        Screen.SetScreenSize(c.w, c.h);
        auto* form = new TForm1(&App);
        EXPECT_EQ(form->BoundsRect(), (TRect{0, 0, c.w, c.h})) << c.w << "x" << c.h;
        EXPECT_EQ(form->LMDBackPanel1->BoundsRect(), c.panel) << c.w << "x" << c.h;
        EXPECT_EQ(TPoint(form->PanelX(), form->PanelY()), c.panel.TopLeft()) << c.w << "x" << c.h;
        delete form;
    }
}

TEST_F(SaverWindow, HidesThePointerAndGivesTheWindowItsShapeBackOnClose)
{
    Start();
    EXPECT_EQ(App.Cursor(), crNone);
    EXPECT_EQ(Form->Cursor(), crCross);
    EXPECT_EQ(Form->LMDBackPanel1->Cursor(), crCross);
    EXPECT_EQ(Screen.Pointer(Window()), crNone);
    Form->Close();
    EXPECT_EQ(Form->Cursor(), Form->SavedCursor());
    EXPECT_EQ(App.Cursor(), crNone);   // the application-wide shape is left alone
}

TEST_F(SaverWindow, TheEleventhMoveToANewPositionOutsideThePanelCloses)
{
    Start();
    for (int i = 1; i <= 10; ++i) {
        Screen.MouseMove(Window(), Outside(i));
        Screen.MouseMove(Window(), Outside(i));   // repeating the last position does not count
        App.ProcessMessages();
        ASSERT_FALSE(Closed()) << "move " << i;
    }
    EXPECT_EQ(Form->MouseMoveCount(), 10);
    Screen.MouseMove(Window(), Outside(11));
    App.ProcessMessages();
    EXPECT_TRUE(Closed());
}

TEST_F(SaverWindow, MovesAndClicksOverThePanelNeverClose)
{
    Start();
    for (int i = 1; i <= 50; ++i)
        Screen.MouseMove(Window(), OverPanel(i));
    Screen.MouseDown(Window(), TMouseButton::mbLeft, OverPanel(0));
    Screen.MouseUp(Window(), TMouseButton::mbLeft, OverPanel(0));
    App.ProcessMessages();
    EXPECT_FALSE(Closed());
    EXPECT_EQ(Form->MouseMoveCount(), 0);
}

TEST_F(SaverWindow, KeysClicksWheelAndDeactivationClose)
{
    const struct { const char* what; std::function<void(THeadlessWindows&, TNativeWindow)> act; } cases[] = {
        {"key", [](THeadlessWindows& s, TNativeWindow w) { s.KeyDown(w, 'A'); }},
        {"escape", [](THeadlessWindows& s, TNativeWindow w) { s.KeyDown(w, 0x1B); }},
        {"left click outside the panel", [](THeadlessWindows& s, TNativeWindow w) { s.MouseDown(w, TMouseButton::mbLeft, Outside(0)); }},
        {"right click outside the panel", [](THeadlessWindows& s, TNativeWindow w) { s.MouseDown(w, TMouseButton::mbRight, Outside(0), ssRight); }},
        {"wheel over the panel", [](THeadlessWindows& s, TNativeWindow w) { s.Wheel(w, -120, OverPanel(0)); }},
        {"wheel outside", [](THeadlessWindows& s, TNativeWindow w) { s.Wheel(w, 120, Outside(0)); }},
        {"deactivation", [](THeadlessWindows& s, TNativeWindow w) { s.Activate(w, false); }},
    };
    for (const auto& c : cases) {
        TApplication app;
        Screen.ClearErrorBoxes();
        auto* form = app.CreateForm<TForm1>();
        form->Show();
        app.ProcessMessages();
        c.act(Screen, form->Handle());
        app.ProcessMessages();
        EXPECT_TRUE(app.Terminated()) << c.what;
    }
}

TEST_F(SaverWindow, RefusesTheScreenSaverCommandAndKeepsRunning)
{
    Start();
    TMessage screensave{WM_SYSCOMMAND, SC_SCREENSAVE, 0};
    Form->Deliver(screensave);
    EXPECT_EQ(screensave.Result, 1);
    Screen.SystemCommand(Window(), SC_SCREENSAVE);
    Screen.Activate(Window(), true);
    App.ProcessMessages();
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(Screen.DefaultSystemCommands().empty());
}

TEST_F(SaverWindow, ASecondCloseDoesNothing)
{
    Start();
    Form->Close();
    EXPECT_TRUE(Closed());
    EXPECT_NO_THROW(Form->Close());
    EXPECT_TRUE(Screen.ErrorBoxes().empty());
}

TEST_F(SaverWindow, AMotionThatCannotBeReadEndsConstruction)
{
    SaverSettings().ReadStyle = []() -> int32_t { throw Exception("Invalid data type for 'Style'"); };
    EXPECT_THROW(App.CreateForm<TForm1>(), Exception);
}
