#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/MessageWindow.h"
#include "platform/core/Exception.h"
#include "tests/framework/FrameworkFixture.h"

namespace {

class TFailingCreateForm : public TTestForm {
public:
    bool BodyRan = false;
    explicit TFailingCreateForm(TComponent* Owner) : TTestForm(Owner)
    {
        BodyRan = true;
        OnCreate = [](TObject*) { throw Exception("Cannot read the colour"); };
    }
};

// A form that writes down every message its message map sees.
class TRecordingForm : public TTestForm {
public:
    std::vector<std::pair<uint32_t, uintptr_t>> Seen;
    explicit TRecordingForm(TComponent* Owner) : TTestForm(Owner) {}
    void Dispatch(TMessage& Message) override
    {
        Seen.emplace_back(Message.Msg, Message.WParam);
        TTestForm::Dispatch(Message);
    }
    int Count(uint32_t Msg) const
    {
        int n = 0;
        for (const auto& s : Seen)
            n += s.first == Msg;
        return n;
    }
};

}  // namespace

using ApplicationLoop = FrameworkTest;

TEST_F(ApplicationLoop, CreateHandlerErrorIsShownAndConstructionGoesOn)
{
    auto* form = App.CreateForm<TFailingCreateForm>();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->BodyRan);
    EXPECT_EQ(App.MainForm(), form);
    ASSERT_EQ(Screen.ErrorBoxes().size(), 1u);
    EXPECT_EQ(Screen.ErrorBoxes()[0].Caption, "Quorvel");
    EXPECT_EQ(Screen.ErrorBoxes()[0].Text, "Cannot read the colour.");
}

TEST_F(ApplicationLoop, HandlerErrorsAreShownAndTheLoopGoesOn)
{
    auto* form = App.CreateForm<TTestForm>();
    int keys = 0;
    form->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) {
        ++keys;
        if (Key == 'A')
            throw Exception("Failed to set data for 'Style'");
        if (Key == 'B')
            throw std::runtime_error("not the program's exception type");
        form->Close();
    };
    form->Show();
    Screen.KeyDown(form->Handle(), 'A');
    Screen.KeyDown(form->Handle(), 'B');
    Screen.KeyDown(form->Handle(), 'C');
    App.Run();
    EXPECT_EQ(keys, 3);
    ASSERT_EQ(Screen.ErrorBoxes().size(), 2u);
    EXPECT_EQ(Screen.ErrorBoxes()[0].Text, "Failed to set data for 'Style'");
    EXPECT_EQ(Screen.ErrorBoxes()[1].Text, "") << "other thrown objects show with an empty message";
    EXPECT_EQ(Screen.ErrorBoxes()[1].Caption, "Quorvel");
}

TEST_F(ApplicationLoop, PaintAndIdleErrorsAreShownAndTheLoopGoesOn)
{
    struct TFailingPaint : TControl {
        using TControl::TControl;
        void Paint() override { throw Exception("Paint failed"); }
    };
    auto* form = App.CreateForm<TTestForm>();
    auto* control = new TFailingPaint(form);
    control->SetBounds(0, 0, 10, 10);
    control->SetParent(form);
    int idles = 0;
    App.SetOnIdle([&](TObject*, bool& Done) {
        Done = false;
        if (++idles == 1)
            throw Exception("Idle failed");
        form->Close();
    });
    App.Run();
    ASSERT_EQ(Screen.ErrorBoxes().size(), 2u);
    EXPECT_EQ(Screen.ErrorBoxes()[0].Text, "Paint failed.");
    EXPECT_EQ(Screen.ErrorBoxes()[1].Text, "Idle failed.");
    EXPECT_EQ(control->Canvas().Surface(), nullptr) << "a failed paint still lets the canvas go";
    EXPECT_EQ(control->Canvas().LockCount(), 0);
    EXPECT_FALSE(Screen.PresentedAreas(form->Handle()).empty()) << "what was painted is still shown";
}

TEST_F(ApplicationLoop, SecondCloseHasNoEffectAndClosingTheMainFormEndsTheLoop)
{
    auto* main = App.CreateForm<TTestForm>();
    auto* other = App.CreateForm<TTestForm>();
    int mainCloses = 0, otherCloses = 0;
    main->OnClose = [&](TObject*, TCloseAction&) { ++mainCloses; };
    other->OnClose = [&](TObject*, TCloseAction&) { ++otherCloses; };
    other->Show();
    other->Close();
    other->Close();
    EXPECT_EQ(otherCloses, 1);
    EXPECT_FALSE(other->Visible()) << "a form that is not the main form hides";
    EXPECT_FALSE(App.Terminated());

    main->Show();
    Screen.CloseRequest(main->Handle());
    Screen.SystemCommand(main->Handle(), SC_CLOSE);
    App.Run();
    App.ProcessMessages();
    main->Close();
    EXPECT_EQ(mainCloses, 1);
    EXPECT_TRUE(App.Terminated());
}

TEST_F(ApplicationLoop, FormFreedByItsOwnCloseHandlerGoesAfterTheHandler)
{
    App.CreateForm<TTestForm>();
    auto* other = App.CreateForm<TTestForm>();
    other->Show();
    int after = 0;
    other->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) {
        other->Close();
        ++after;   // the form is still whole here
    };
    other->OnClose = [](TObject*, TCloseAction& Action) { Action = TCloseAction::caFree; };
    Screen.KeyDown(other->Handle(), 'Q');
    App.ProcessMessages();
    EXPECT_EQ(after, 1);
    EXPECT_EQ(App.Forms().size(), 1u);
}

TEST_F(ApplicationLoop, CloseHandlerCanRefuse)
{
    auto* main = App.CreateForm<TTestForm>();
    int asked = 0;
    main->OnClose = [&](TObject*, TCloseAction& Action) {
        if (++asked == 1)
            Action = TCloseAction::caNone;
    };
    main->Close();
    EXPECT_FALSE(App.Terminated());
    main->Close();
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(App.Terminated());
}

TEST_F(ApplicationLoop, IdleWithDoneFalseRunsAgainWithoutWaitingButHandlesWhatArrived)
{
    auto* form = App.CreateForm<TTestForm>();
    std::vector<std::string> order;
    form->OnKeyDown = [&](TObject*, uint16_t& Key, TShiftState) { order.push_back("key " + std::string(1, char(Key))); };
    int calls = 0;
    App.SetOnIdle([&](TObject*, bool& Done) {
        EXPECT_TRUE(Done) << "the loop hands the handler Done = true";
        order.push_back("idle");
        if (++calls == 1)
            Screen.KeyDown(form->Handle(), 'K');
        if (calls == 3)
            form->Close();
        Done = false;
    });
    App.Run();
    EXPECT_EQ(order, (std::vector<std::string>{"idle", "key K", "idle", "idle"}));
    EXPECT_EQ(Screen.WaitCount(), 0);
}

TEST_F(ApplicationLoop, IdleWithDoneTrueWaitsForTheNextMessage)
{
    auto* form = App.CreateForm<TTestForm>();
    int keys = 0, idles = 0;
    form->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) {
        if (++keys == 3)
            form->Close();
    };
    App.SetOnIdle([&](TObject*, bool&) { ++idles; });
    Screen.SetOnWait([&] { Screen.KeyDown(form->Handle(), 'K'); });
    App.Run();
    EXPECT_EQ(keys, 3);
    EXPECT_EQ(idles, 3);
    EXPECT_EQ(Screen.WaitCount(), 3);
}

TEST_F(ApplicationLoop, StartupPagesAreReleasedOnceWhenTheMainFormHasShownItsFirstPicture)
{
    auto* form = App.CreateForm<TTestForm>();
    std::vector<std::string> order;
    App.SetOnIdle([&](TObject*, bool& Done) {
        order.push_back(form->Presented() ? "idle after picture" : "idle before picture");
        order.insert(order.end(), Kernel.Log().begin(), Kernel.Log().end());
        Kernel.ClearLog();
        Done = false;
    });
    App.HandleMessage();
    form->Show();
    for (int i = 0; i < 4; ++i)
        App.HandleMessage();
    std::erase(order, "idle after picture");
    EXPECT_EQ(order, (std::vector<std::string>{"idle before picture", "release start-up pages"}));
}

TEST_F(ApplicationLoop, ProcessMessagesInsideIdleDispatchesWaitingMessagesWithoutNestingIdle)
{
    auto* form = App.CreateForm<TRecordingForm>();
    int depth = 0, deepest = 0, idles = 0;
    App.SetOnIdle([&](TObject*, bool&) {
        deepest = std::max(deepest, ++depth);
        ++idles;
        form->PostMessage(WM_USER + 1, idles, 0);
        form->PostMessage(WM_USER + 2, idles, 0);
        App.ProcessMessages();
        EXPECT_EQ(Screen.QueuedEvents(), 0u) << "process-messages leaves nothing waiting";
        form->Invalidate();   // a paint request keeps the idle cycle going
        if (idles == 5)
            form->Close();
        --depth;
    });
    App.Run();
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(form->Count(WM_USER + 1), 5);
    EXPECT_EQ(form->Count(WM_USER + 2), 5);
    EXPECT_EQ(Screen.WaitCount(), 0) << "the paint request each pass made is the message the loop takes next";
    EXPECT_EQ(Screen.PresentedAreas(form->Handle()).size(), 5u) << "the first paint and one per pass but the last";
}

TEST_F(ApplicationLoop, TitleIsTheExecutableNameWithoutExtensionUnlessSet)
{
    const struct { const char* path; const char* title; } cases[] = {
        {"/opt/quorvel/Quorvel.scr", "Quorvel"},
        {"C:\\Windows\\system32\\quorvel.scr", "quorvel"},
        {"/usr/lib/quorvel.d/quorvel", "quorvel"},
        {"/home/user/.hidden", ".hidden"},
        {"", ""},
    };
    for (const auto& c : cases) {
        Process.SetExecutablePath(c.path);
        EXPECT_EQ(App.Title(), c.title) << c.path;
    }
    App.SetTitle("Settings");
    EXPECT_EQ(App.Title(), "Settings");
    App.ShowException("");
    EXPECT_EQ(Screen.ErrorBoxes().back().Caption, "Settings");
}

TEST_F(ApplicationLoop, WindowTimersArriveAsWmTimerOnePerElapsedPeriodAtMost)
{
    auto* form = App.CreateForm<TRecordingForm>();
    form->Show();
    ASSERT_TRUE(form->SetTimer(7, 100));
    const struct { uint32_t advance; int total; } steps[] = {
        {99, 0}, {1, 1}, {250, 2}, {99, 2}, {1, 3},
    };
    for (const auto& s : steps) {
        Clock.Advance(s.advance);
        App.ProcessMessages();
        EXPECT_EQ(form->Count(WM_TIMER), s.total) << "after advancing " << s.advance << " ms";
    }
    EXPECT_EQ(form->Seen.back(), (std::pair<uint32_t, uintptr_t>{WM_TIMER, 7}));
    form->KillTimer(7);
    Clock.Advance(1000);
    App.ProcessMessages();
    EXPECT_EQ(form->Count(WM_TIMER), 3);
}

TEST_F(ApplicationLoop, MessageWindowTakesTimersAndPostedMessages)
{
    std::vector<std::pair<uint32_t, uintptr_t>> seen;
    TMessageWindow window([&](TMessage& m) { seen.emplace_back(m.Msg, m.WParam); });
    ASSERT_TRUE(window.SetTimer(1, 1000));
    window.PostMessage(WM_USER, 42, 0);
    Clock.Advance(1000);
    App.ProcessMessages();
    EXPECT_EQ(seen, (std::vector<std::pair<uint32_t, uintptr_t>>{{WM_USER, 42}, {WM_TIMER, 1}}));
}

TEST_F(ApplicationLoop, TimerHandlerThatOutlastsItsPeriodDoesNotTrapProcessMessages)
{
    auto* form = App.CreateForm<TRecordingForm>();
    form->Show();
    form->SetTimer(1, 10);
    form->OnKeyDown = nullptr;
    App.SetOnIdle(nullptr);
    // Every tick sleeps longer than the period, so the timer is due again at once.
    form->SetWindowProc([&, form](TMessage& m) {
        if (m.Msg == WM_TIMER)
            Clock.Sleep(50);
        form->WndProc(m);
    });
    Clock.Advance(10);
    App.ProcessMessages();
    EXPECT_EQ(form->Count(WM_TIMER), 2);
}
