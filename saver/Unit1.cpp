#include "saver/Unit1.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "framework/Application.h"
#include "framework/Label.h"
#include "platform/IClock.h"
#include "platform/IKernel.h"
#include "platform/ILocale.h"
#include "platform/INativeWindows.h"
#include "platform/ISockets.h"
#include "platform/ISystemInfo.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "saver/FixedText.h"
#include "saver/FormatSize.h"
#include "saver/MemoryReadout.h"
#include "saver/ProcessLoad.h"
#include "saver/ProcessorClock.h"
#include "saver/SaverPlacement.h"
#include "saver/SaverSettings.h"
#include "sysinfo/LMDSysInfo.h"
#include "widgets/TLMDBackPanel.h"
#include "widgets/TLMDClock.h"
#include "widgets/TVrLedClock.h"
#include "widgets/TVrLevelBar.h"
#include "widgets/TVrTimer.h"

namespace {

// A pointer that moves this many times (each time to a new position) over the window's own
// surface ends the saver; fewer moves are taken for the jitter of a desk being touched.
constexpr int32_t MovesTolerated = 10;

constexpr uint32_t IdlePauseMilliseconds = 10;
constexpr uint16_t SocketsVersion = 0x0101;
constexpr size_t HostNameLength = 260;

}  // namespace

TForm1::TForm1(TComponent* Owner) : TForm(Owner)
{
    LoadStoredLayout();
    PlaceWindow();
    if (SaverPlacement().EndsOnInput())
        HidePointer();
    ReadMotion();
    if (FMotion == 1)
        Application().SetOnIdle([this](TObject* Sender, bool& Done) { AppIdle(Sender, Done); });
    // The panel moves as a whole: it keeps its composed picture, so a step of the motion shows
    // that picture at the new place instead of painting the clock, the bars and every label
    // again.
    LMDBackPanel1->SetLayered(true);
    CentrePanel();
    FillStartupReadouts();
    OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
    OnKeyDown = [this](TObject* Sender, uint16_t& Key, TShiftState Shift) { FormKeyDown(Sender, Key, Shift); };
    OnMouseDown = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
        FormMouseDown(Sender, Button, Shift, X, Y);
    };
    OnMouseWheel = [this](TObject* Sender, TShiftState Shift, int Delta, TPoint At, bool& Handled) {
        FormMouseWheel(Sender, Shift, Delta, At, Handled);
    };
    OnMouseMove = [this](TObject* Sender, TShiftState Shift, int X, int Y) { FormMouseMove(Sender, Shift, X, Y); };
    OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
}

TForm1::~TForm1()
{
    // The idle handler calls into this window; it must not outlive it.
    if (FMotion == 1)
        Application().SetOnIdle(nullptr);
}

TLabel* TForm1::LabelNumber(int Number) const
{
    static constexpr TLabel* TForm1::*Labels[] = {
        &TForm1::Label1,  &TForm1::Label2,  &TForm1::Label3,  &TForm1::Label4,  &TForm1::Label5,
        &TForm1::Label6,  &TForm1::Label7,  &TForm1::Label8,  &TForm1::Label9,  &TForm1::Label10,
        &TForm1::Label11, &TForm1::Label12, &TForm1::Label13, &TForm1::Label14, &TForm1::Label15,
        &TForm1::Label16, &TForm1::Label17, &TForm1::Label18, &TForm1::Label19, &TForm1::Label20,
    };
    return Number >= 1 && Number <= 20 ? this->*Labels[Number - 1] : nullptr;
}

void TForm1::PlaceWindow()
{
    const TSaverPlacement& placement = SaverPlacement();
    switch (placement.Kind) {
    case TSaverPlacement::TKind::FullScreen:
        CoverScreen();
        return;
    case TSaverPlacement::TKind::InWindow:
        if (!EmbedIn(placement.Window))
            throw Exception::Fmt("The window %s to draw in does not exist", {std::to_string(placement.Window)});
        break;
    case TSaverPlacement::TKind::OwnWindow:
        SetBorderStyle(TFormBorderStyle::bsSizeable);
        SetCaption("Quorvel");
        SetBounds(40, 40, 1024, 768);
        break;
    }
    FScreenWidth = ClientWidth();
    FScreenHeight = ClientHeight();
}

// A window handed over by a daemon changes its size with the monitor it lies on; the panel is
// then centred again, or keeps bouncing inside the new size.
void TForm1::FollowWindowSize()
{
    if (SaverPlacement().Kind == TSaverPlacement::TKind::FullScreen)
        return;
    if (ClientWidth() == FScreenWidth && ClientHeight() == FScreenHeight)
        return;
    FScreenWidth = ClientWidth();
    FScreenHeight = ClientHeight();
    if (FMotion == 1) {
        FPanelX = std::max(0, std::min(FPanelX, FScreenWidth - VrLedClock1->Width()));
        FPanelY = std::max(0, std::min(FPanelY, FScreenHeight - VrLedClock1->Height()));
        LMDBackPanel1->SetBounds(FPanelX, FPanelY, LMDBackPanel1->Width(), LMDBackPanel1->Height());
    } else {
        CentrePanel();
    }
    Invalidate();
}

// Places the window at (0, 0) with the size of the primary screen, as a full-screen window that
// takes the keyboard and the pointer.
void TForm1::CoverScreen()
{
    SetFullScreen(true);
    INativeWindows* windows = Application().Windows();
    const TRect screen = windows ? windows->ScreenRect() : TRect{};
    FScreenWidth = screen.Width();
    FScreenHeight = screen.Height();
    SetBounds(0, 0, FScreenWidth, FScreenHeight);
}

// The window and the panel ask for the cross-hair, but the application-wide shape "none"
// overrides every window's, so the pointer stays invisible while the saver runs.
void TForm1::HidePointer()
{
    FSavedCursor = Cursor();
    SetCursor(crCross);
    LMDBackPanel1->SetCursor(crCross);
    Application().SetCursor(crNone);
}

void TForm1::ReadMotion()
{
    FMotion = SaverSettings().ReadStyle();
    FMotionStep = 1;
    FMovingRight = false;
    FMovingDown = false;
    FLastMouseX = 0;
    FLastMouseY = 0;
}

void TForm1::CentrePanel()
{
    FPanelX = (FScreenWidth - LMDBackPanel1->Width()) / 2;
    FPanelY = (FScreenHeight - LMDBackPanel1->Height()) / 2;
    LMDBackPanel1->SetBounds(FPanelX, FPanelY, LMDBackPanel1->Width(), LMDBackPanel1->Height());
}

// ---- Colouring -----------------------------------------------------------------------------

// The clock, the date digits and every label take the clock colour; the bars keep their zones.
void TForm1::FormCreate(TObject*)
{
    const TColor c = SaverSettings().ReadClockColor();
    VrLedClock1->SetHoursColor(c);
    VrLedClock1->SetHoursOutline(c);
    VrLedClock1->SetSecHandColor(c);
    VrLedClock1->SetSecOutline(c);
    VrLedClock1->SetTickColor(c);
    VrLedClock1->SetTickOutline(c);
    for (int n = 1; n <= 20; ++n)
        LabelNumber(n)->Font().SetColor(c);
    LMDClock2->Digital().SetColor(0, c);
    LMDClock2->Digital().SetColor(1, clBlack);
}

// ---- Motion --------------------------------------------------------------------------------

// Each axis either moves one step or, past its edge, turns; the bounds are those of the clock
// face, not of the slightly larger panel that moves.
void TForm1::MoveClock()
{
    if (FMovingRight) {
        if (VrLedClock1->Width() + FPanelX > FScreenWidth)
            FMovingRight = false;
        else
            FPanelX += FMotionStep;
    } else {
        if (FPanelX < 0)
            FMovingRight = true;
        else
            FPanelX -= FMotionStep;
    }
    if (FMovingDown) {
        if (VrLedClock1->Height() + FPanelY > FScreenHeight)
            FMovingDown = false;
        else
            FPanelY += FMotionStep;
    } else {
        if (FPanelY < 0)
            FMovingDown = true;
        else
            FPanelY -= FMotionStep;
    }
}

// Done stays as the framework set it, so the loop waits for the next message; the repaint
// request is such a message, and its paint leads to the next idle pass. The request covers the
// panel, where everything that a pass changes lies: the rest of the window is its own black,
// which nothing draws on, so composing and presenting the whole screen again on every pass
// would cost many times more and show the same pixels.
void TForm1::AppIdle(TObject*, bool&)
{
    MoveClock();
    LMDBackPanel1->SetLeft(FPanelX);
    LMDBackPanel1->SetTop(FPanelY);
    Application().ProcessMessages();
    if (IClock* clock = CurrentPlatform().Clock)
        clock->Sleep(IdlePauseMilliseconds);
    InvalidateRect(LMDBackPanel1->BoundsRect());
}

// ---- Readouts ------------------------------------------------------------------------------

void TForm1::FillStartupReadouts()
{
    ShowProcessorClock();
    ShowTotalMemoryBar();
    Label13->SetCaption(LMDSysInfo1->ProcessorType());
    Label14->SetCaption(std::to_string(LMDSysInfo1->ProcessorNumber()));
    ShowMemoryPercentages();
    ShowHost();
}

// A measurement started with the program may still be sleeping its half second. The window is
// then made and shown meanwhile, and its first paint waits for the figure (Update), so the
// first frame shows the same readouts as it would after measuring here, only sooner.
void TForm1::ShowProcessorClock()
{
    if (ProcessorClockMeasurementPending()) {
        FProcessorClockPending = true;
        return;
    }
    ShowMeasuredProcessorClock(MeasureProcessorClock());
}

void TForm1::Update()
{
    if (FProcessorClockPending && CanPaint() && PaintPending()) {
        FProcessorClockPending = false;
        ShowMeasuredProcessorClock(MeasureProcessorClock());
    }
    TForm::Update();
}

void TForm1::ShowMeasuredProcessorClock(uint32_t MHz)
{
    VrLevelBar3->SetPosition(static_cast<int32_t>(MHz > 0x7FFFFFFFu ? 0x7FFFFFFFu : MHz));
    Label3->SetCaption(ProcessorClockText(MHz));
}

void TForm1::ShowTotalMemoryBar()
{
    VrLevelBar4->SetPosition(TotalMemoryBarPosition(LMDSysInfo1->MemPhysTotal()));
}

void TForm1::ShowMemoryPercentages()
{
    ISystemInfo* system = CurrentPlatform().System;
    int32_t free = 0;
    if (system) {
        TMemoryStatusEx extended;
        free = FreeMemoryPercent(system->MemoryStatus(), system->MemoryStatusEx(extended) ? &extended : nullptr);
    }
    Label1->SetCaption(std::to_string(free) + " % ");
    Label10->SetCaption(std::to_string(100 - free) + " % ");
    VrLevelBar5->SetPosition(100 - free);
    VrLevelBar1->SetPosition(free);
}

// The host's official name and first IPv4 address. A failed look-up leaves both labels as
// they were; so does a host without an IPv4 address, for its address label.
void TForm1::ShowHost()
{
    ISockets* sockets = CurrentPlatform().Sockets;
    if (!sockets)
        return;
    if (!sockets->Startup(SocketsVersion)) {
        if (INativeWindows* windows = Application().Windows())
            windows->ShowInfoBox("UDP Network Interface",
                                 "Sorry - Unable to load Windows Sockets - Please close other applications and try again.");
        sockets->Cleanup();
        return;
    }
    char name[HostNameLength] = {};
    if (!sockets->HostName(name, sizeof name))
        name[0] = 0;
    name[HostNameLength - 1] = 0;
    THostEntry host;
    if (sockets->LookUp(name, host)) {
        Label18->SetCaption(host.OfficialName);
        if (!host.Addresses.empty())
            Label16->SetCaption(DottedAddress(host.Addresses.front()));
    }
    sockets->Cleanup();
}

void TForm1::VrTimer1Timer(TObject*)
{
    FollowWindowSize();
    const Platform& platform = CurrentPlatform();
    TProcessTimes times;
    if (platform.Kernel)
        platform.Kernel->ProcessTimes(times);
    const uint32_t now = platform.Clock ? platform.Clock->TickCount() : 0;
    const double load = ProcessLoad().Tick(times.Kernel + times.User, now);
    Label2->SetCaption(FixedText(load, 0) + "  %");
    VrLevelBar2->SetPosition(static_cast<int32_t>(std::trunc(load > 2e9 ? 2e9 : load)));

    const ILocale* locale = platform.Locale;
    Label8->SetCaption(FormatSize(static_cast<double>(LMDSysInfo1->MemPhysTotal()),
                                  locale ? locale->DecimalSeparator() : ".", locale ? locale->ThousandSeparator() : ","));
    Label20->SetCaption(LMDSysInfo1->ProcessorInfo().IDString());
}

// ---- Exit rules ----------------------------------------------------------------------------

void TForm1::FormKeyDown(TObject*, uint16_t&, TShiftState)
{
    if (SaverPlacement().EndsOnInput())
        Close();
}

void TForm1::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    if (SaverPlacement().EndsOnInput())
        Close();
}

void TForm1::FormMouseWheel(TObject*, TShiftState, int, TPoint, bool& Handled)
{
    if (!SaverPlacement().EndsOnInput())
        return;
    Handled = true;
    Close();
}

// Every move to a new position counts, and the count is never reset; a move event that
// repeats the last position (some systems send them when nothing moved) does not.
void TForm1::FormMouseMove(TObject*, TShiftState, int X, int Y)
{
    if (!SaverPlacement().EndsOnInput())
        return;
    if (X != FLastMouseX || Y != FLastMouseY) {
        ++FMouseMoveCount;
        if (FMouseMoveCount > MovesTolerated)
            Close();
    }
    FLastMouseX = X;
    FLastMouseY = Y;
}

void TForm1::FormClose(TObject*, TCloseAction&) { SetCursor(FSavedCursor); }

// Losing the activation ends the saver, and the system is told that no other screen saver may
// start over this one (the low four bits of a system command are the system's own).
// Activation messages never reach the default handling, whatever they say.
void TForm1::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_ACTIVATE) {
        if (LoWord(Message.WParam) == WA_INACTIVE && SaverPlacement().EndsOnInput())
            Close();
        return;
    }
    if (Message.Msg == WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == SC_SCREENSAVE) {
        Message.Result = 1;
        return;
    }
    TForm::Dispatch(Message);
}
