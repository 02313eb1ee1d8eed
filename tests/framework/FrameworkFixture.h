#pragma once
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessCpuId.h"
#include "platform/headless/HeadlessKernel.h"
#include "platform/headless/HeadlessProcessInfo.h"
#include "platform/headless/HeadlessSockets.h"
#include "platform/headless/HeadlessSystemInfo.h"
#include "platform/headless/HeadlessTimeStampCounter.h"
#include "platform/headless/HeadlessWindows.h"

// A headless screen, clock, executable path, process, processor and host in place of the
// machine's, and an application object on them. Every test starts with no forms and an empty
// queue.
class FrameworkTest : public ::testing::Test {
protected:
    THeadlessClock Clock;
    THeadlessWindows Screen{Clock, 320, 240};
    THeadlessProcessInfo Process{"/opt/quorvel/Quorvel.scr"};
    THeadlessKernel Kernel;
    THeadlessTimeStampCounter Counter;
    THeadlessSockets Sockets;
    THeadlessSystemInfo System;
    THeadlessCpuId CpuId;
    ScopedPlatform Scope{Services()};
    TApplication App;

    // Shows Form and runs its first paint cycle, then forgets what that paint presented.
    void ShowAndPaint(TForm& Form)
    {
        Form.Show();
        App.ProcessMessages();
        Screen.ClearPresented(Form.Handle());
    }

private:
    Platform Services()
    {
        Platform p = CurrentPlatform();
        p.Clock = &Clock;
        p.Windows = &Screen;
        p.Process = &Process;
        p.Kernel = &Kernel;
        p.TimeStampCounter = &Counter;
        p.Sockets = &Sockets;
        p.System = &System;
        p.CpuId = &CpuId;
        return p;
    }
};

// A plain form with a size and no border, as most tests want it.
class TTestForm : public TForm {
public:
    explicit TTestForm(TComponent* Owner, TRect Bounds = {0, 0, 100, 80}) : TForm(Owner)
    {
        SetBorderStyle(TFormBorderStyle::bsNone);
        SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
        SetColor(clBlack);
    }
};
