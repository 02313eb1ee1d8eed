// Prints how long the framework takes for the two paints the saver makes all the time: one
// full compose of a 1920 x 1080 window (the moving clock invalidates the whole window on
// every pass) and the self-update of one small buffered widget (a level bar or the date
// readout repainting itself on its timer).

#include <chrono>
#include <cstdio>
#include <functional>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "platform/Platform.h"
#include "platform/gfx/Bitmap.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessWindows.h"

namespace {

// A windowless widget that draws into its own buffer and copies the buffer to the screen in
// one block, as the instrument widgets do.
class TBufferedWidget : public TControl {
public:
    explicit TBufferedWidget(TWinControl* Parent, TRect Bounds, TColor Fill) : TControl(Parent), FFill(Fill)
    {
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetControlStyle(ControlStyle() | csOpaque);
        SetParent(Parent);
    }

protected:
    void Paint() override
    {
        FBuffer.SetSize(Width(), Height());
        TCanvas& c = FBuffer.Canvas();
        c.Brush().Color = FFill;
        c.FillRect(BitmapRect(FBuffer));
        c.Brush().Color = clLime;
        c.FillRect({2, 2, ++FLevel % (Width() - 2) + 2, Height() - 2});
        Canvas().Draw(0, 0, FBuffer);
    }

private:
    TBitmap FBuffer;
    TColor FFill;
    int FLevel = 0;
};

// A windowed panel that shows the window's background, like the saver's back panel.
class TBackPanel : public TWinControl {
public:
    explicit TBackPanel(TWinControl* Parent) : TWinControl(Parent) {}
};

class TScreenForm : public TForm {
public:
    TBufferedWidget* Bar = nullptr;
    explicit TScreenForm(TComponent* Owner) : TForm(Owner)
    {
        SetBorderStyle(TFormBorderStyle::bsNone);
        SetBounds(0, 0, 1920, 1080);
        SetColor(clBlack);
        auto* panel = new TBackPanel(this);
        panel->SetBounds((1920 - 441) / 2, (1080 - 417) / 2, 441, 417);
        panel->SetColor(clBlack);
        panel->SetParent(this);
        new TBufferedWidget(panel, {4, 4, 437, 413}, clBlack);   // the clock face
        for (int i = 0; i < 5; ++i)
            Bar = new TBufferedWidget(panel, TRect::FromSize(150, 250 + 16 * i, 100, 12), clBlack);
        for (int i = 0; i < 20; ++i) {
            auto* label = new TLabel(panel);
            label->SetParent(panel);
            label->SetTransparent(true);
            label->Font().SetColor(clLime);
            label->SetBounds(40 + (i % 2) * 200, 100 + (i / 2) * 14, 0, 0);
            label->SetCaption("Label " + std::to_string(i + 1));
        }
    }
};

double MeanMicroseconds(int Runs, const std::function<void()>& Step)
{
    Step();   // the first run sizes buffers and warms caches
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Runs; ++i)
        Step();
    const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / Runs;
}

}  // namespace

int main()
{
    THeadlessClock clock;
    THeadlessWindows screen(clock, 1920, 1080);
    Platform services = CurrentPlatform();
    services.Clock = &clock;
    services.Windows = &screen;
    ScopedPlatform scope(services);
    TApplication app;
    auto* form = app.CreateForm<TScreenForm>();
    form->Show();
    app.ProcessMessages();

    const double compose = MeanMicroseconds(50, [&] {
        form->Invalidate();
        form->Update();
    });
    const double selfUpdate = MeanMicroseconds(2000, [&] { form->Bar->Repaint(); });

    std::printf("full compose of a 1920 x 1080 window: %.3f ms\n", compose / 1000.0);
    std::printf("self-update of a 100 x 12 buffered widget: %.2f us\n", selfUpdate);
    return 0;
}
