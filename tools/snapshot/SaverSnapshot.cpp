#include "tools/snapshot/SaverSnapshot.h"

#include "app/EntryPoint.h"
#include "framework/Application.h"
#include "platform/core/Exception.h"
#include "platform/gfx/Canvas.h"
#include "saver/SaverSettings.h"
#include "saver/Unit1.h"
#include "tools/snapshot/SnapshotMachine.h"
#include "widgets/TVrTimer.h"

namespace {

// The saver window reads its settings through the program's settings store, as the entry
// point connects them, for as long as this lives; what was connected before comes back after.
class TStoreSettings {
public:
    TStoreSettings() : FSaved(SaverSettings()) { ConnectSettings(); }
    ~TStoreSettings() { SaverSettings() = FSaved; }
    TStoreSettings(const TStoreSettings&) = delete;
    TStoreSettings& operator=(const TStoreSettings&) = delete;

private:
    TSaverSettings FSaved;
};

// Runs the message loop as the application runs it until the moving clock's idle step has run
// Passes times. The saver installed that step as the application's idle handler; it is wrapped
// here only to count the passes.
void RunIdlePasses(TApplication& App, int32_t Passes)
{
    const TIdleEvent step = App.OnIdle();
    if (!step || Passes <= 0)
        return;
    int32_t done = 0;
    App.SetOnIdle([&](TObject* Sender, bool& Done) {
        step(Sender, Done);
        ++done;
    });
    while (done < Passes && !App.Terminated())
        App.HandleMessage();
    App.SetOnIdle(step);
}

// Two ticks of the readout timer, half a second apart, with the process busy for part of that
// time: the first gives the process load its starting point, the second the load itself. No
// tick of the timer's own worker can come in between, since the loop does not run here. They
// come last because such a tick during the motion sees no processor time used and shows a
// load of 0; one after them reads the same tick count and keeps the load.
void TickReadouts(TForm1& Form, TSnapshotMachine& Machine)
{
    Form.VrTimer1->Timer();
    Machine.Clock().Sleep(TSnapshotMachine::ReadoutTickMilliseconds);
    Machine.Kernel().AddTimes(0, TSnapshotMachine::ProcessTimePerTick);
    Form.VrTimer1->Timer();
}

void ThrowIfTheSaverReportedAnError(const THeadlessWindows& Screen)
{
    if (!Screen.ErrorBoxes().empty())
        throw Exception("the saver reported: " + Screen.ErrorBoxes().front().Text);
}

}  // namespace

void RenderSaverSnapshot(const TSnapshotOptions& Options, TBitmap& Into)
{
    TSnapshotMachine machine(Options);
    const TStoreSettings settings;
    TApplication app;
    app.Initialize();
    TForm1* form = app.CreateForm<TForm1>();
    form->Show();
    app.ProcessMessages();
    RunIdlePasses(app, Options.MotionSteps);
    TickReadouts(*form, machine);
    app.ProcessMessages();
    ThrowIfTheSaverReportedAnError(machine.Screen());
    const TBitmap& shown = machine.Screen().Pixels(form->Handle());
    Into.SetSize(shown.Width(), shown.Height());
    Into.Canvas().Draw(0, 0, shown);
}
