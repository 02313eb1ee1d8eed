#include <gtest/gtest.h>

#include "app/EntryPoint.h"
#include "platform/headless/HeadlessHtmlViews.h"
#include "platform/headless/HeadlessProfileFiles.h"
#include "platform/headless/HeadlessRegistry.h"
#include "saver/SaverSettings.h"
#include "tests/framework/FrameworkFixture.h"

// The whole program on a headless screen with an in-memory registry and INI files. The
// executable is /opt/quorvel/Quorvel.scr, so the title of every message box is "Quorvel".
class EntryPoint : public FrameworkTest {
protected:
    THeadlessRegistry Registry;
    THeadlessProfileFiles Profiles;
    THeadlessHtmlViews HtmlViews;
    ScopedPlatform Stores{WithStores()};
    TSaverSettings Saved = SaverSettings();

    void TearDown() override { SaverSettings() = Saved; }

    // Ends the loop with a key press the first time it would wait.
    void PressAKeyWhenIdle()
    {
        Screen.SetOnWait([this] {
            for (TNativeWindow w : Screen.Windows())
                Screen.KeyDown(w, 'A');
        });
    }

private:
    Platform WithStores()
    {
        Platform p = CurrentPlatform();
        p.Registry = &Registry;
        p.Profiles = &Profiles;
        p.HtmlViews = &HtmlViews;
        return p;
    }
};

// Centred, so that the loop comes to wait: in moving mode the idle handler keeps it busy.
TEST_F(EntryPoint, TheSaverRunsUntilAKeyAndEndsWithCodeZero)
{
    Registry.SetDword(RegRoot::LocalMachine, "Software\\Kestrune\\Screensaver", "Style", 0);
    PressAKeyWhenIdle();
    EXPECT_EQ(RunQuorvel({"/s"}), 0);
    EXPECT_TRUE(Screen.ErrorBoxes().empty());
    EXPECT_FALSE(Screen.Stalled());
}

TEST_F(EntryPoint, AStyleOfTheWrongTypeEndsStartUpAfterOneMessage)
{
    const struct { const char* what; std::function<void(THeadlessRegistry&)> store; const char* text; } cases[] = {
        {"string", [](THeadlessRegistry& r) { r.SetString(RegRoot::LocalMachine, "Software\\Kestrune\\Screensaver", "Style", "1"); },
         "Invalid data type for 'Style'"},
        {"key without value", [](THeadlessRegistry& r) { r.AddKey(RegRoot::LocalMachine, "Software\\Kestrune\\Screensaver"); },
         "Failed to get data for 'Style'"},
    };
    for (const auto& c : cases) {
        THeadlessRegistry registry;
        c.store(registry);
        Platform p = CurrentPlatform();
        p.Registry = &registry;
        ScopedPlatform scope(p);
        Screen.ClearErrorBoxes();
        TApplication app;

        EXPECT_EQ(RunQuorvel({}), 0) << c.what;
        ASSERT_EQ(Screen.ErrorBoxes().size(), 1u) << c.what;
        EXPECT_EQ(Screen.ErrorBoxes()[0].Caption, "Quorvel") << c.what;
        EXPECT_EQ(Screen.ErrorBoxes()[0].Text, c.text) << c.what;
        for (TNativeWindow w : Screen.Windows())
            EXPECT_FALSE(Screen.Window(w)->Visible) << c.what << ": the saver must not show";
    }
}

// The preview in a host of 152 x 112: a child of the host at its top-left corner, of the host's
// size, showing the top-left part of the picture; any system command ends the program.
TEST_F(EntryPoint, ThePreviewFillsItsHostAndEndsOnAnySystemCommand)
{
    Screen.AddForeignWindow(1234, TRect::FromSize(600, 400, 152, 112));
    std::vector<TNativeWindowParams> shown;
    Screen.SetOnWait([&] {
        for (TNativeWindow w : Screen.Windows())
            if (Screen.Window(w)->Visible) {
                shown.push_back(Screen.Window(w)->Params);
                Screen.SystemCommand(w, 0xF140);
            }
    });
    EXPECT_EQ(RunQuorvel({"/p", "1234"}), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Kind, TNativeWindowKind::ForeignChild);
    EXPECT_EQ(shown[0].Host, 1234u);
    EXPECT_EQ(shown[0].Bounds, TRect::FromSize(0, 0, 152, 112));
    EXPECT_TRUE(Screen.ErrorBoxes().empty());
    EXPECT_FALSE(Screen.Stalled());
}

// Without a usable number the preview reports the argument and shows itself as a window of its
// own; a number that names no window ends the program at once instead of leaving a window
// nobody can see or end.
TEST_F(EntryPoint, ThePreviewWithABadHostReportsItOrEnds)
{
    const struct { std::vector<std::string> args; const char* error; bool ownWindow; } cases[] = {
        {{"/p"}, "'' is not a valid integer value.", true},
        {{"/p", ""}, "'' is not a valid integer value.", true},
        {{"/p", "abc"}, "'abc' is not a valid integer value.", true},
        {{"/p", "$"}, "'$' is not a valid integer value.", true},
        {{"/p", "4294967296"}, "'4294967296' is not a valid integer value.", true},
        {{"/p", "-5"}, "", false},
        {{"/p", "$7FFF"}, "", false},
        {{"/p", "99"}, "", false},
    };
    for (const auto& c : cases) {
        Screen.ClearErrorBoxes();
        std::vector<TRect> shown;
        Screen.SetOnWait([&] {
            for (TNativeWindow w : Screen.Windows())
                if (Screen.Window(w)->Visible) {
                    shown.push_back(Screen.Window(w)->Params.Bounds);
                    Screen.CloseRequest(w);
                }
        });
        TApplication app;
        EXPECT_EQ(RunQuorvel(c.args), 0) << c.args.back();
        if (*c.error) {
            ASSERT_EQ(Screen.ErrorBoxes().size(), 1u) << c.args.back();
            EXPECT_EQ(Screen.ErrorBoxes()[0].Text, c.error);
        } else {
            EXPECT_TRUE(Screen.ErrorBoxes().empty()) << c.args.back();
        }
        ASSERT_EQ(shown.size(), c.ownWindow ? 1u : 0u) << c.args.back();
        if (c.ownWindow) {
            EXPECT_EQ(shown[0].Width(), 157) << c.args.back();
            EXPECT_EQ(shown[0].Height(), 108) << c.args.back();
        }
        EXPECT_FALSE(Screen.Stalled()) << c.args.back();
    }
}

TEST_F(EntryPoint, ThePreviewEndsWhenItsHostGoesAway)
{
    Screen.AddForeignWindow(77, TRect::FromSize(0, 0, 200, 150));
    int waits = 0;
    Screen.SetOnWait([&] {
        if (++waits == 1)
            Screen.DestroyForeignWindow(77);
    });
    EXPECT_EQ(RunQuorvel({"/p", "77"}), 0);
    EXPECT_FALSE(Screen.Stalled());
}

// The settings dialog opens as a frameless window of its own size, and a close request from
// the system ends the program with code zero and nothing saved.
TEST_F(EntryPoint, SettingsModeShowsTheDialogUntilItIsClosed)
{
    for (const char* arg : {"/c", "/c:1234"}) {
        std::vector<std::string> shown;
        Screen.SetOnWait([&] {
            for (TNativeWindow w : Screen.Windows())
                if (Screen.Window(w)->Visible) {
                    shown.push_back(Screen.Window(w)->Params.Caption);
                    EXPECT_EQ(Screen.Window(w)->Params.Bounds, TRect::FromSize(283, 201, 329, 375)) << arg;
                    Screen.CloseRequest(w);
                }
        });
        TApplication app;
        EXPECT_EQ(RunQuorvel({arg}), 0) << arg;
        EXPECT_EQ(shown, std::vector<std::string>{"Quorvel Screensaver 1.0"}) << arg;
        EXPECT_FALSE(Registry.HasKey(RegRoot::LocalMachine, "Software\\Kestrune\\Screensaver")) << arg;
        EXPECT_TRUE(Screen.ErrorBoxes().empty()) << arg;
    }
}

TEST_F(EntryPoint, WithoutAWindowSystemTheProgramEndsWithCodeOne)
{
    Platform p = CurrentPlatform();
    p.Windows = nullptr;
    ScopedPlatform scope(p);
    EXPECT_EQ(RunQuorvel({"/s"}), 1);
}

// A screen-saver daemon's window: the saver fills it and leaves the input to the daemon.
TEST_F(EntryPoint, TheSaverDrawsInADaemonsWindowAndIgnoresInput)
{
    Registry.SetDword(RegRoot::LocalMachine, "Software\\Kestrune\\Screensaver", "Style", 0);
    Screen.AddForeignWindow(0x2a00007, TRect::FromSize(0, 0, 640, 480));
    std::vector<TNativeWindowParams> shown;
    int waits = 0;
    Screen.SetOnWait([&] {
        for (TNativeWindow w : Screen.Windows())
            if (Screen.Window(w)->Visible && ++waits < 3) {
                shown.push_back(Screen.Window(w)->Params);
                Screen.KeyDown(w, 'A');
                Screen.MouseDown(w, TMouseButton::mbLeft, {10, 10});
                Screen.Activate(w, false);
            } else if (waits >= 3) {
                Screen.DestroyForeignWindow(0x2a00007);
            }
    });
    EXPECT_EQ(RunQuorvel({"-window-id", "0x2a00007"}), 0);
    ASSERT_GE(shown.size(), 2u) << "input did not end it";
    EXPECT_EQ(shown[0].Kind, TNativeWindowKind::ForeignChild);
    EXPECT_EQ(shown[0].Bounds, TRect::FromSize(0, 0, 640, 480));
    EXPECT_TRUE(Screen.ErrorBoxes().empty());
}

TEST_F(EntryPoint, ADaemonRequestForNoWindowEndsWithCodeOneAndShowsNothing)
{
    const struct { std::vector<std::string> args; } cases[] = {
        {{"-window-id", "garbage"}}, {{"-window-id"}}, {{"-window-id", "0x99"}}, {{"--window-id", "12345"}},
    };
    for (const auto& c : cases) {
        Screen.SetOnWait([&] { ADD_FAILURE() << c.args[0] << ": the loop ran"; Screen.Wake(); });
        TApplication app;
        EXPECT_EQ(RunQuorvel(c.args), 1) << c.args.back();
        EXPECT_TRUE(Screen.Windows().empty() || !Screen.Window(Screen.Windows().back())->Visible) << c.args.back();
        EXPECT_TRUE(Screen.ErrorBoxes().empty()) << c.args.back();
    }
}
