#include "app/EntryPoint.h"

#include <cstdio>

#include "app/RunMode.h"
#include "app/SettingsStore.h"
#include "config/DialogSettings.h"
#include "config/ProgramArguments.h"
#include "config/Unit2.h"
#include "config/Unit3.h"
#include "framework/Application.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "saver/ProcessorClock.h"
#include "saver/SaverSettings.h"
#include "saver/Unit1.h"

namespace {

void CreateWindowOfMode(TApplication& App, RunMode Mode)
{
    switch (Mode) {
    case RunMode::Saver:
        App.CreateForm<TForm1>();
        return;
    case RunMode::Preview:
        App.CreateForm<TPreview>();
        return;
    case RunMode::Settings:
        App.CreateForm<TSettings>();
        return;
    }
}

}  // namespace

void ConnectSettings()
{
    SaverSettings().ReadStyle = ReadStyle;
    SaverSettings().ReadClockColor = ReadClockColor;
    DialogSettings().ReadStyle = ReadStyle;
    DialogSettings().WriteStyle = WriteStyle;
    DialogSettings().WriteClockColor = WriteClockColor;
}

void StartEarlyWork(const std::vector<std::string>& Arguments)
{
    if (ModeFromArguments(Arguments) == RunMode::Saver)
        StartProcessorClockMeasurement(BackendTimingServices());
}

int RunQuorvel(const std::vector<std::string>& Arguments)
{
    const RunMode mode = ModeFromArguments(Arguments);
    if (!CurrentPlatform().Windows) {
        // Without a window system there is no message box either; the backend has said why.
        std::fputs("Quorvel: no window can be shown, so the program ends.\n", stderr);
        return 1;
    }
    ConnectSettings();
    ProgramArguments() = Arguments;
    TApplication& app = Application();
    try {
        app.Initialize();
        CreateWindowOfMode(app, mode);
        app.Run();
    } catch (...) {
        // Anything else than the program's own exception type is shown with an empty message.
        app.HandleException();
    }
    return 0;
}
