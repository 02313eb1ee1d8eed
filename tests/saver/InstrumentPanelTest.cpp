#include <string>

#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Label.h"
#include "platform/gfx/Bitmap.h"
#include "platform/headless/HeadlessKernel.h"
#include "saver/ProcessLoad.h"
#include "saver/ProcessorClock.h"
#include "saver/SaverSettings.h"
#include "saver/Unit1.h"
#include "tests/framework/FrameworkFixture.h"
#include "widgets/TLMDBackPanel.h"
#include "widgets/TLMDClock.h"
#include "widgets/TVrLedClock.h"
#include "widgets/TVrLevelBar.h"
#include "widgets/TVrTimer.h"

// The saver window on a headless machine with known figures: a 2394 MHz processor that
// identifies as GenuineIntel, 8 GiB of memory at load 43 with 6 GiB of it available, and a
// host "desk" known to the name service as "desk.example" at 10.1.2.3.
class InstrumentPanel : public FrameworkTest {
protected:
    TSaverSettings Saved = SaverSettings();
    TForm1* Form = nullptr;

    void SetUp() override
    {
        Screen.SetScreenSize(1024, 768);
        SaverSettings().ReadStyle = [] { return 0; };
        Counter.RunWith(&Clock, 2394000);
        CpuId.SetIdFlagToggles(true);
        CpuId.SetVendor({'G', 'e', 'n', 'u', 'i', 'n', 'e', 'I', 'n', 't', 'e', 'l'});
        TMemoryStatus old;
        old.dwMemoryLoad = 43;
        old.dwTotalPhys = 0xFFFFFFFFu;
        old.dwAvailPhys = 0xFFFFFFFFu;
        System.SetMemoryStatus(old);
        TMemoryStatusEx wide;
        wide.dwMemoryLoad = 43;
        wide.ullTotalPhys = 8ull << 30;
        wide.ullAvailPhys = 6ull << 30;
        System.SetMemoryStatusEx(wide);
        Sockets.SetHostName("desk");
        Sockets.AddHost("desk", {"desk.example", {{10, 1, 2, 3}}});
        ProcessLoad() = TProcessLoad{};
    }
    void TearDown() override
    {
        delete Form;
        SaverSettings() = Saved;
    }

    void Make() { Form = App.CreateForm<TForm1>(); }
    std::string Text(int Label) const { return Form->LabelNumber(Label)->Caption(); }
};

TEST_F(InstrumentPanel, ElementsLieOnThePanelInTheirCreationOrder)
{
    Make();
    TLMDBackPanel& panel = *Form->LMDBackPanel1;
    const char* order[] = {"VrLedClock1", "LMDClock2", "VrLevelBar1", "VrLevelBar2", "VrLevelBar3", "Label1",
                           "Label2",      "Label3",    "Label4",      "Label5",      "Label6",      "Label7",
                           "VrLevelBar4", "Label8",    "Label9",      "VrLevelBar5", "Label10",     "Label11",
                           "Label12",     "Label13",   "Label14",     "Label15",     "Label16",     "Label17",
                           "Label18",     "Label19",   "Label20"};
    ASSERT_EQ(panel.ControlCount(), 27);
    for (int i = 0; i < 27; ++i)
        EXPECT_EQ(panel.Controls(i)->Name(), order[i]) << "element " << i;

    EXPECT_EQ(Form->VrLedClock1->BoundsRect(), TRect::FromSize(4, 0, 433, 409));
    EXPECT_EQ(Form->LMDClock2->Left(), 126);
    EXPECT_EQ(Form->LMDClock2->Top(), 170);
    const struct { TVrLevelBar* bar; int32_t top, max; } bars[] = {
        {Form->VrLevelBar1, 256, 100}, {Form->VrLevelBar2, 208, 100}, {Form->VrLevelBar3, 272, 4000},
        {Form->VrLevelBar4, 224, 10000000}, {Form->VrLevelBar5, 240, 100},
    };
    for (const auto& b : bars) {
        EXPECT_EQ(b.bar->BoundsRect(), TRect::FromSize(192, b.top, 105, 8)) << b.bar->Name();
        EXPECT_EQ(b.bar->MaxValue(), b.max) << b.bar->Name();
    }
    const struct { int label; int32_t left, top; const char* caption; } captions[] = {
        {5, 118, 206, "Total CPU Load"},       {7, 88, 222, "Total Physical Memory"},
        {9, 75, 238, "Physical Memory Loaded"}, {4, 88, 254, "Physical Memory Free"},
        {6, 94, 270, "Processor Frequence"},    {19, 164, 295, "CPU Name: "},
        {12, 144, 308, "Processor Type: "},     {11, 132, 321, "Processor Number: "},
        {15, 166, 334, "IP Address: "},         {17, 164, 347, "Host Name: "},
        {20, 224, 295, "Label20"},              {2, 304, 208, "Label2"},
        {8, 304, 222, "Label8"},                {14, 240, 321, "14"},
    };
    for (const auto& c : captions) {
        TLabel& l = *Form->LabelNumber(c.label);
        EXPECT_EQ(TPoint(l.Left(), l.Top()), TPoint(c.left, c.top)) << l.Name();
        if (c.label != 14) {   // the processor count is filled in at start-up
            EXPECT_EQ(l.Caption(), c.caption) << l.Name();
        }
        EXPECT_EQ(l.Font().Name(), "Tw Cen MT") << l.Name();
        EXPECT_TRUE(l.Transparent()) << l.Name();
    }
}

TEST_F(InstrumentPanel, ClockDigitsAndLabelsTakeTheClockColourAndTheBarsKeepTheirZones)
{
    const TColor colours[] = {255, clLime, -1};
    for (TColor c : colours) {
        SaverSettings().ReadClockColor = [c] { return c; };
        delete Form;
        Make();
        TVrLedClock& clock = *Form->VrLedClock1;
        for (TColor part : {clock.HoursColor(), clock.HoursOutline(), clock.SecHandColor(), clock.SecOutline(),
                            clock.TickColor(), clock.TickOutline()})
            EXPECT_EQ(part, c);
        for (int n = 1; n <= 20; ++n)
            EXPECT_EQ(Form->LabelNumber(n)->Font().Color(), c) << "Label" << n;
        EXPECT_EQ(Form->LMDClock2->Digital().ActiveColor(), c);
        EXPECT_EQ(Form->LMDClock2->Digital().InActiveColor(), clBlack);
        EXPECT_EQ(Form->VrLevelBar1->Palette1().High(), clLime);
        EXPECT_EQ(Form->VrLevelBar1->Palette3().Low(), clMaroon);
    }
}

TEST_F(InstrumentPanel, StartUpReadouts)
{
    Make();
    EXPECT_EQ(Text(3), "2.39  GHz");
    EXPECT_EQ(Form->VrLevelBar3->Position(), 2394);
    EXPECT_EQ(Form->VrLevelBar4->Position(), 8388608);
    EXPECT_EQ(Text(1), "75 % ");   // the larger of 57 and 75, the share from the extended record
    EXPECT_EQ(Form->VrLevelBar1->Position(), 75);
    EXPECT_EQ(Text(10), "25 % ");
    EXPECT_EQ(Form->VrLevelBar5->Position(), 25);
    EXPECT_EQ(Text(18), "desk.example");
    EXPECT_EQ(Text(16), "10.1.2.3");
    EXPECT_EQ(Sockets.Startups(), 1);
    EXPECT_EQ(Sockets.Cleanups(), 1);
    EXPECT_EQ(Sockets.StartupVersion(), 0x0101);
    // The measurement ran raised and put both priorities back, the thread first.
    const std::vector<std::string> changes = {"class 0x100", "thread 15", "thread 0", "class 0x20"};
    EXPECT_EQ(Kernel.Log(), changes);
}

TEST_F(InstrumentPanel, WithoutSocketsOrHostTheNetworkLabelsKeepTheirText)
{
    Sockets.SetStartupSucceeds(false);
    Make();
    ASSERT_EQ(Screen.InfoBoxes().size(), 1u);
    EXPECT_EQ(Screen.InfoBoxes()[0].Caption, "UDP Network Interface");
    EXPECT_EQ(Screen.InfoBoxes()[0].Text,
              "Sorry - Unable to load Windows Sockets - Please close other applications and try again.");
    EXPECT_EQ(Text(16), "Label16");
    EXPECT_EQ(Text(18), "Label18");
    delete Form;
    Form = nullptr;

    Sockets.SetStartupSucceeds(true);
    Sockets.SetHostName("unknown");
    Make();
    EXPECT_EQ(Text(16), "Label16");
    EXPECT_EQ(Text(18), "Label18");
    EXPECT_EQ(Screen.InfoBoxes().size(), 1u);
}

TEST_F(InstrumentPanel, TickShowsLoadMemoryAndVendor)
{
    Make();
    EXPECT_EQ(Text(2), "Label2");   // before the first tick
    Form->VrTimer1Timer(nullptr);
    EXPECT_EQ(Text(2), "0  %");
    EXPECT_EQ(Text(8), "8.00 GB");
    EXPECT_EQ(Text(20), "GenuineIntel");
    Kernel.AddTimes(100000, 150000);   // 25 ms
    Clock.Advance(500);
    Form->VrTimer1Timer(nullptr);
    EXPECT_EQ(Text(2), "5  %");
    EXPECT_EQ(Form->VrLevelBar2->Position(), 5);
    Kernel.AddTimes(0, 10000000);   // two processors over the next 500 ms
    Clock.Advance(500);
    Form->VrTimer1Timer(nullptr);
    EXPECT_EQ(Text(2), "200  %");
    EXPECT_EQ(Form->VrLevelBar2->Position(), 100);
}

// ---- Motion --------------------------------------------------------------------------------

struct TMotionCase {
    const char* what;
    int32_t width, height;
    int steps;
    TPoint at;
    bool right, down;
};

TEST_F(InstrumentPanel, MotionTurnsAtTheEdges)
{
    const TMotionCase cases[] = {
        {"start", 1024, 768, 0, {291, 175}, false, false},
        {"top reached", 1024, 768, 176, {115, -1}, false, false},
        {"turned down", 1024, 768, 177, {114, -1}, false, true},
        {"left reached", 1024, 768, 292, {-1, 114}, false, true},
        {"turned right", 1024, 768, 293, {-1, 115}, true, true},
    };
    for (const auto& c : cases) {
        Screen.SetScreenSize(c.width, c.height);
        delete Form;
        Make();
        for (int i = 0; i < c.steps; ++i)
            Form->MoveClock();
        EXPECT_EQ(TPoint(Form->PanelX(), Form->PanelY()), c.at) << c.what;
        EXPECT_EQ(Form->MovingRight(), c.right) << c.what;
        EXPECT_EQ(Form->MovingDown(), c.down) << c.what;
    }
}

TEST_F(InstrumentPanel, BottomTurnIsAt360AndRightTurnAt592)
{
    Make();
    int32_t maxX = -100, maxY = -100;
    for (int i = 0; i < 3000; ++i) {
        Form->MoveClock();
        maxX = std::max(maxX, Form->PanelX());
        maxY = std::max(maxY, Form->PanelY());
    }
    EXPECT_EQ(maxX, 592);
    EXPECT_EQ(maxY, 360);
}

TEST_F(InstrumentPanel, OnANarrowScreenTheHorizontalFlagFlipsEveryStep)
{
    Screen.SetScreenSize(400, 768);
    Make();
    EXPECT_EQ(Form->PanelX(), -20);
    for (int i = 0; i < 6; ++i) {
        const bool before = Form->MovingRight();
        const int32_t y = Form->PanelY();
        Form->MoveClock();
        EXPECT_EQ(Form->PanelX(), -20) << "step " << i;
        EXPECT_NE(Form->MovingRight(), before) << "step " << i;
        EXPECT_EQ(Form->PanelY(), y - 1) << "step " << i;
    }
}

TEST_F(InstrumentPanel, OnlyMovingModeInstallsTheIdleHandlerThatMovesThePanel)
{
    for (int32_t style : {0, 2}) {
        SaverSettings().ReadStyle = [style] { return style; };
        delete Form;
        Make();
        EXPECT_FALSE(App.OnIdle()) << style;
    }
    SaverSettings().ReadStyle = [] { return 1; };
    delete Form;
    Make();
    ASSERT_TRUE(App.OnIdle());
    bool done = true;
    const uint32_t before = Clock.TickCount();
    App.OnIdle()(&App, done);
    EXPECT_TRUE(done);
    EXPECT_EQ(Form->LMDBackPanel1->BoundsRect().TopLeft(), TPoint(290, 174));
    EXPECT_GE(Clock.TickCount() - before, 10u);
    delete Form;
    Form = nullptr;
    EXPECT_FALSE(App.OnIdle()) << "the handler goes with the window";
}

// The program starts measuring before its window system is open; the window is built and shown
// meanwhile, and its first paint shows the figure that measurement found. The measurement has
// services of its own here, as the program's worker thread shares none with the window.
TEST_F(InstrumentPanel, AMeasurementStartedEarlierIsShownByTheFirstPaint)
{
    THeadlessClock clock;
    THeadlessTimeStampCounter counter;
    THeadlessKernel kernel;
    counter.RunWith(&clock, 3000000);
    Platform services;
    services.Clock = &clock;
    services.TimeStampCounter = &counter;
    services.Kernel = &kernel;
    StartProcessorClockMeasurement(services);
    Make();
    EXPECT_EQ(Text(3), "Label3");
    EXPECT_TRUE(Kernel.Log().empty());   // the window's own services measured nothing
    Form->Show();
    App.ProcessMessages();
    EXPECT_FALSE(ProcessorClockMeasurementPending());
    EXPECT_EQ(Text(3), "3.00  GHz");
    EXPECT_EQ(Form->VrLevelBar3->Position(), 3000);
    const std::vector<std::string> changes = {"class 0x100", "thread 15", "thread 0", "class 0x20"};
    EXPECT_EQ(kernel.Log(), changes);
    // A later window measures on its own again.
    delete Form;
    Form = nullptr;
    Make();
    EXPECT_EQ(Text(3), "2.39  GHz");
}

// A processor faster than the bar's range: the figure says what was measured, the bar stays full.
TEST_F(InstrumentPanel, AProcessorAbove4GHzFillsTheClockBarAndShowsItsRate)
{
    Counter.RunWith(&Clock, 4200000);
    Make();
    EXPECT_EQ(Text(3), "4.20  GHz");
    EXPECT_EQ(Form->VrLevelBar3->Position(), 4000);
    EXPECT_EQ(Form->VrLevelBar3->MaxValue(), 4000);
}

// The old memory record of a 32-bit program holds at most 2 GiB on a machine with 2 to 4 GiB
// and 0xFFFFFFFF beyond 4 GiB; the figures come from the extended record whenever the old one
// cannot hold the machine's memory. The total bar ends at 10000000 KB.
TEST_F(InstrumentPanel, MemoryFiguresOfA32BitProgramOnLargerMachines)
{
    const uint64_t gib = 1ull << 30;
    const struct { const char* machine; uint32_t oldTotal, oldAvail; uint64_t total, avail; uint32_t load;
                   const char* free; const char* used; int32_t totalBar; } cases[] = {
        {"1.5 GiB", 0x60000000u, 0x20000000u, gib * 3 / 2, gib / 2, 70, "33 % ", "67 % ", 1572864},
        {"3 GiB, 1 GiB free", 0x80000000u, 0x40000000u, 3 * gib, gib, 67, "33 % ", "67 % ", 3145728},
        {"3 GiB, 2.5 GiB free", 0x80000000u, 0x80000000u, 3 * gib, gib * 5 / 2, 17, "83 % ", "17 % ", 3145728},
        {"8 GiB, 2 GiB free", 0xFFFFFFFFu, 0x80000000u, 8 * gib, 2 * gib, 75, "25 % ", "75 % ", 8388608},
        {"16 GiB, 12 GiB free", 0xFFFFFFFFu, 0xFFFFFFFFu, 16 * gib, 12 * gib, 25, "75 % ", "25 % ", 10000000},
    };
    for (const auto& c : cases) {
        TMemoryStatus old;
        old.dwMemoryLoad = c.load;
        old.dwTotalPhys = c.oldTotal;
        old.dwAvailPhys = c.oldAvail;
        System.SetMemoryStatus(old);
        TMemoryStatusEx wide;
        wide.dwMemoryLoad = c.load;
        wide.ullTotalPhys = c.total;
        wide.ullAvailPhys = c.avail;
        System.SetMemoryStatusEx(wide);
        Make();
        EXPECT_EQ(Text(1), c.free) << c.machine;
        EXPECT_EQ(Text(10), c.used) << c.machine;
        EXPECT_EQ(Form->VrLevelBar4->Position(), c.totalBar) << c.machine;
        delete Form;
        Form = nullptr;
    }
}
