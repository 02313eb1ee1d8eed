#include "app/EntryPoint.h"

#include <cstdio>
#include <cstdlib>

#include "app/DaemonRequest.h"
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
#include "saver/SaverPlacement.h"
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

// Says where the saver shows itself for a screen-saver daemon's request. A window that does not
// exist is said on standard error: a daemon expects a saver to fail then, not to cover the
// screen on its own.
bool PlaceSaver(const TDaemonRequest& Request)
{
    TSaverPlacement& placement = SaverPlacement();
    placement = TSaverPlacement{};
    if (Request.Kind == TDaemonRequest::TKind::OwnWindow)
        placement.Kind = TSaverPlacement::TKind::OwnWindow;
    if (Request.Window == 0)
        return true;
    TRect area;
    if (!CurrentPlatform().Windows->SystemWindowRect(Request.Window, area)) {
        std::fprintf(stderr, "Quorvel: there is no window %#x to draw in.\n", static_cast<unsigned>(Request.Window));
        return false;
    }
    placement.Kind = TSaverPlacement::TKind::InWindow;
    placement.Window = Request.Window;
    return true;
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
    const TDaemonRequest daemon = DaemonRequestFromArguments(Arguments, std::getenv("XSCREENSAVER_WINDOW"));
    if (!daemon.Error.empty()) {
        std::fprintf(stderr, "Quorvel: %s.\n", daemon.Error.c_str());
        return 1;
    }
    const RunMode mode = daemon.Kind == TDaemonRequest::TKind::None ? ModeFromArguments(Arguments) : RunMode::Saver;
    // Without a window system there is no message box either; the backend has said why. A
    // window system that is opened on first use and cannot be has a screen of no size.
    if (!CurrentPlatform().Windows || CurrentPlatform().Windows->ScreenRect().IsEmpty()) {
        std::fputs("Quorvel: no window can be shown, so the program ends.\n", stderr);
        return 1;
    }
    if (!PlaceSaver(daemon))
        return 1;
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
