#pragma once
#include <cstdint>

#include "framework/Form.h"

class TLMDBackPanel;

// The saver window: a borderless black window over the whole primary screen that carries the
// instrument panel, hides the pointer and closes on a key, a click, a wheel turn, sustained
// pointer movement or the loss of activation.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* Owner);

    TLMDBackPanel* LMDBackPanel1 = nullptr;

    TCursor SavedCursor() const { return FSavedCursor; }
    int32_t MouseMoveCount() const { return FMouseMoveCount; }
    int32_t ScreenWidth() const { return FScreenWidth; }
    int32_t ScreenHeight() const { return FScreenHeight; }
    int32_t PanelX() const { return FPanelX; }
    int32_t PanelY() const { return FPanelY; }
    int32_t Motion() const { return FMotion; }

    void Dispatch(TMessage& Message) override;

private:
    void LoadStoredLayout();
    void CoverScreen();
    void HidePointer();
    void ReadMotion();
    void CentrePanel();

    void FormCreate(TObject* Sender);
    void FormKeyDown(TObject* Sender, uint16_t& Key, TShiftState Shift);
    void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormClose(TObject* Sender, TCloseAction& Action);

    TCursor FSavedCursor = crDefault;
    int32_t FMouseMoveCount = 0;
    int32_t FLastMouseX = 0;
    int32_t FLastMouseY = 0;
    int32_t FScreenWidth = 0;
    int32_t FScreenHeight = 0;
    int32_t FPanelX = 0;
    int32_t FPanelY = 0;
    int32_t FMotionStep = 1;
    bool FMovingRight = false;
    bool FMovingDown = false;
    int32_t FMotion = 0;
};
