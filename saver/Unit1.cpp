#include "saver/Unit1.h"

#include "framework/Application.h"
#include "framework/Layout.h"
#include "platform/INativeWindows.h"
#include "saver/SaverSettings.h"
#include "widgets/TLMDBackPanel.h"

namespace {

// A pointer that moves this many times (each time to a new position) over the window's own
// surface ends the saver; fewer moves are taken for the jitter of a desk being touched.
constexpr int32_t MovesTolerated = 10;

}  // namespace

TForm1::TForm1(TComponent* Owner) : TForm(Owner)
{
    LoadStoredLayout();
    CoverScreen();
    HidePointer();
    ReadMotion();
    CentrePanel();
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

void TForm1::LoadStoredLayout()
{
    LoadLayout(*this, TLayout<TForm1>{
        Self<TForm1>({
            Set(&TForm::SetBorderStyle, TFormBorderStyle::bsNone),
            Set(&TControl::SetColor, clBlack),
            Set(&TControl::SetLeft, 381),
            Set(&TControl::SetTop, 416),
            Set(&TForm::SetClientWidth, 444),
            Set(&TForm::SetClientHeight, 427),
        }),
        Element(&TForm1::LMDBackPanel1, "LMDBackPanel1", "", {
            [](TLMDBackPanel& p) { p.SetBounds(-8, 0, 441, 417); },
            Set(&TControl::SetColor, clBlack),
            Set(&TLMDBackPanel::SetTransparent, true),
        }),
    });
}

// Places the window at (0, 0) with the size of the primary screen.
void TForm1::CoverScreen()
{
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

void TForm1::FormCreate(TObject*) {}

void TForm1::FormKeyDown(TObject*, uint16_t&, TShiftState) { Close(); }

void TForm1::FormMouseDown(TObject*, TMouseButton, TShiftState, int, int) { Close(); }

void TForm1::FormMouseWheel(TObject*, TShiftState, int, TPoint, bool& Handled)
{
    Handled = true;
    Close();
}

// Every move to a new position counts, and the count is never reset; a move event that
// repeats the last position (some systems send them when nothing moved) does not.
void TForm1::FormMouseMove(TObject*, TShiftState, int X, int Y)
{
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
// start over this one (the low four bits of a system command are the system's own). Activation messages never reach the default handling, whatever they say.
void TForm1::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_ACTIVATE) {
        if (LoWord(Message.WParam) == WA_INACTIVE)
            Close();
        return;
    }
    if (Message.Msg == WM_SYSCOMMAND && (Message.WParam & 0xFFF0) == SC_SCREENSAVE) {
        Message.Result = 1;
        return;
    }
    TForm::Dispatch(Message);
}
