#include <gtest/gtest.h>

#include "tests/framework/FrameworkFixture.h"

using FormKinds = FrameworkTest;

TEST_F(FormKinds, TheFormSaysWhatKindOfWindowItIs)
{
    const struct { const char* what; TFormBorderStyle border; bool fullScreen; TNativeWindowKind kind; bool framed; } cases[] = {
        {"bordered dialog", TFormBorderStyle::bsDialog, false, TNativeWindowKind::Framed, true},
        {"sizeable", TFormBorderStyle::bsSizeable, false, TNativeWindowKind::Framed, true},
        {"own frame", TFormBorderStyle::bsNone, false, TNativeWindowKind::Frameless, false},
        {"saver", TFormBorderStyle::bsNone, true, TNativeWindowKind::Frameless, false},
    };
    for (const auto& c : cases) {
        TForm form(&App);
        form.SetBorderStyle(c.border);
        form.SetFullScreen(c.fullScreen);
        form.SetBounds(0, 0, 50, 40);
        const auto* state = Screen.Window(form.Handle());
        ASSERT_NE(state, nullptr) << c.what;
        EXPECT_EQ(state->Params.Kind, c.kind) << c.what;
        EXPECT_EQ(state->Params.FullScreen, c.fullScreen) << c.what;
        EXPECT_EQ(state->Params.Border, c.framed) << c.what;
        EXPECT_EQ(state->Params.TitleBar, c.framed) << c.what;
    }
}

TEST_F(FormKinds, FullScreenChangedAfterTheWindowExistsMakesItAnew)
{
    TTestForm form(&App);
    form.Show();
    form.SetFullScreen(true);
    EXPECT_TRUE(Screen.Window(form.Handle())->Params.FullScreen);
    EXPECT_TRUE(Screen.Window(form.Handle())->Visible);
}

TEST_F(FormKinds, EmbedInMakesAForeignChildOfTheHostsSize)
{
    Screen.AddForeignWindow(0x5000, {100, 200, 252, 312});
    auto* form = App.CreateForm<TTestForm>();
    ASSERT_TRUE(form->EmbedIn(0x5000));
    form->Show();
    const auto* state = Screen.Window(form->Handle());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->Params.Kind, TNativeWindowKind::ForeignChild);
    EXPECT_EQ(state->Params.Host, 0x5000u);
    EXPECT_EQ(state->Params.Bounds, (TRect{0, 0, 152, 112}));
    EXPECT_EQ(form->ClientWidth(), 152);
    EXPECT_EQ(form->ClientOrigin(), (TPoint{100, 200}));
}

TEST_F(FormKinds, EmbedInAHandleThatNamesNoWindowFailsAndChangesNothing)
{
    Screen.AddForeignWindow(0x5000, {0, 0, 10, 10});
    TTestForm form(&App);
    form.Show();
    const TNativeWindow before = form.Handle();
    for (uintptr_t handle : {uintptr_t{0}, uintptr_t{0x5001}, uintptr_t{0xFFFFFFFF}}) {
        EXPECT_FALSE(form.EmbedIn(handle)) << handle;
        EXPECT_EQ(form.ForeignHost(), 0u) << handle;
    }
    EXPECT_EQ(form.Handle(), before);
    EXPECT_EQ(Screen.Window(before)->Params.Kind, TNativeWindowKind::Frameless);
}

TEST_F(FormKinds, TheHostGoingAwayClosesTheFormWithoutTouchingItsWindowAgain)
{
    Screen.AddForeignWindow(0x5000, {0, 0, 160, 120});
    auto* main = App.CreateForm<TTestForm>();
    ASSERT_TRUE(main->EmbedIn(0x5000));
    main->Show();
    App.ProcessMessages();
    const TNativeWindow window = main->Handle();
    main->Invalidate();
    Screen.DestroyForeignWindow(0x5000);
    App.ProcessMessages();
    EXPECT_TRUE(App.Terminated()) << "the main form closed, which ends the program";
    EXPECT_FALSE(main->Visible());
    EXPECT_EQ(Screen.Window(window), nullptr);
    EXPECT_FALSE(main->HandleAllocated());
    EXPECT_TRUE(Screen.ErrorBoxes().empty());
}

TEST_F(FormKinds, ASecondFormThatFreesItselfWhenItsHostGoesIsFreed)
{
    Screen.AddForeignWindow(0x5000, {0, 0, 160, 120});
    App.CreateForm<TTestForm>();
    auto* embedded = new TTestForm(&App);
    bool freed = false;
    struct TWatch : TComponent {
        bool& Freed;
        TWatch(TComponent* Owner, bool& F) : TComponent(Owner), Freed(F) {}
        ~TWatch() override { Freed = true; }
    };
    new TWatch(embedded, freed);
    embedded->OnClose = [](TObject*, TCloseAction& Action) { Action = TCloseAction::caFree; };
    ASSERT_TRUE(embedded->EmbedIn(0x5000));
    embedded->Show();
    Screen.DestroyForeignWindow(0x5000);
    App.ProcessMessages();
    EXPECT_TRUE(freed);
    EXPECT_TRUE(Screen.ErrorBoxes().empty());
    EXPECT_FALSE(App.Terminated());
}
