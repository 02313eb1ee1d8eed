#pragma once
#include <cstdint>
#include <memory>

#include "framework/Form.h"

class TLMDBackPanel;
class TVrLedClock;
class TLMDClock;
class TVrLevelBar;
class TLabel;
class TVrTimer;
class TLMDSysInfo;

// The saver window: a borderless black window over the whole primary screen that carries the
// instrument panel (the LED clock face with the date, five level bars and twenty labels on
// it), hides the pointer and closes on a key, a click, a wheel turn, sustained pointer
// movement or the loss of activation. In moving mode the panel drifts diagonally and bounces
// off the screen edges.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* Owner);
    ~TForm1() override;

    TLMDBackPanel* LMDBackPanel1 = nullptr;
    TVrLedClock* VrLedClock1 = nullptr;
    TLMDClock* LMDClock2 = nullptr;
    TVrLevelBar* VrLevelBar1 = nullptr;
    TVrLevelBar* VrLevelBar2 = nullptr;
    TVrLevelBar* VrLevelBar3 = nullptr;
    TVrLevelBar* VrLevelBar4 = nullptr;
    TVrLevelBar* VrLevelBar5 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TLabel* Label10 = nullptr;
    TLabel* Label11 = nullptr;
    TLabel* Label12 = nullptr;
    TLabel* Label13 = nullptr;
    TLabel* Label14 = nullptr;
    TLabel* Label15 = nullptr;
    TLabel* Label16 = nullptr;
    TLabel* Label17 = nullptr;
    TLabel* Label18 = nullptr;
    TLabel* Label19 = nullptr;
    TLabel* Label20 = nullptr;
    TVrTimer* VrTimer1 = nullptr;
    TLMDSysInfo* LMDSysInfo1 = nullptr;

    // Label1 to Label20 by number; nullptr for any other number.
    TLabel* LabelNumber(int Number) const;

    TCursor SavedCursor() const { return FSavedCursor; }
    int32_t MouseMoveCount() const { return FMouseMoveCount; }
    int32_t ScreenWidth() const { return FScreenWidth; }
    int32_t ScreenHeight() const { return FScreenHeight; }
    int32_t PanelX() const { return FPanelX; }
    int32_t PanelY() const { return FPanelY; }
    int32_t Motion() const { return FMotion; }
    bool MovingRight() const { return FMovingRight; }
    bool MovingDown() const { return FMovingDown; }

    // One motion step: each axis either moves one pixel or turns. Nothing moves on screen.
    void MoveClock();
    // The idle handler of moving mode: a step, the panel moved, waiting messages handled, a
    // pause of 10 ms and the window invalidated, which brings the next idle pass.
    void AppIdle(TObject* Sender, bool& Done);
    // The readout timer's tick: the process load, the total memory and the vendor.
    void VrTimer1Timer(TObject* Sender);

    void Dispatch(TMessage& Message) override;
    void Update() override;

private:
    void LoadStoredLayout();
    void PlaceWindow();
    void CoverScreen();
    void FollowWindowSize();
    void HidePointer();
    void ReadMotion();
    void CentrePanel();
    void FillStartupReadouts();
    void ShowProcessorClock();
    void ShowMeasuredProcessorClock(uint32_t MHz);
    void ShowTotalMemoryBar();
    void ShowMemoryPercentages();
    void ShowHost();

    void FormCreate(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormClose(TObject* Sender, TCloseAction& Action);

    std::unique_ptr<TLMDSysInfo> FSysInfo;
    TCursor FSavedCursor = crDefault;
    int32_t FMouseMoveCount = 0;
    int32_t FLastMouseX = 0;
    int32_t FLastMouseY = 0;
    int32_t FScreenWidth = 0;
    int32_t FScreenHeight = 0;
    int32_t FPanelX = 0;
    int32_t FPanelY = 0;
    int32_t FMotionStep = 1;
    // The processor clock is still being measured; the first paint waits for it.
    bool FProcessorClockPending = false;
    bool FMovingRight = false;
    bool FMovingDown = false;
    int32_t FMotion = 0;
};
