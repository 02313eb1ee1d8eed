#pragma once
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/headless/HeadlessClock.h"
#include "platform/headless/HeadlessCpuId.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessHostEnvironment.h"
#include "platform/headless/HeadlessKernel.h"
#include "platform/headless/HeadlessLocale.h"
#include "platform/headless/HeadlessRegistry.h"
#include "platform/headless/HeadlessSystemInfo.h"
#include "platform/headless/HeadlessTimeStampCounter.h"
#include "platform/headless/HeadlessVersionResource.h"
#include "sysinfo/LMDSysIn.h"

// A machine made entirely of scripted fakes: an NT 5.1 machine unless a test says otherwise
// with UseFlags.
class SysInfoMachine : public ::testing::Test {
protected:
    THeadlessCpuId Cpu;
    THeadlessSystemInfo Machine;
    THeadlessDesktop Desktop;
    THeadlessHostEnvironment Environment;
    THeadlessLocale Locale;
    THeadlessRegistry Registry;
    THeadlessVersionResource Version;
    THeadlessClock Clock;
    THeadlessKernel Kernel;
    THeadlessTimeStampCounter Counter;
    ScopedPlatform Scope{Services()};
    TLMDSIPlatformFlags Flags = LMDSIPlatformFlagsOf(&Machine);

    SysInfoMachine() { LMDSIOverridePlatformFlags(&Flags); }
    ~SysInfoMachine() override { LMDSIOverridePlatformFlags(nullptr); }

    // The 9x family (with the desktop extensions), the NT family, or another kind of host.
    void UseNineX() { Flags = {true, true, false, false, false}; }
    void UseNT() { Flags = {false, true, true, false, true}; }
    void UseOtherHost() { Flags = {false, true, false, false, false}; }

    Platform Services()
    {
        Platform p;
        p.CpuId = &Cpu;
        p.System = &Machine;
        p.Desktop = &Desktop;
        p.Environment = &Environment;
        p.Locale = &Locale;
        p.Registry = &Registry;
        p.VersionResource = &Version;
        p.Clock = &Clock;
        p.Kernel = &Kernel;
        p.TimeStampCounter = &Counter;
        return p;
    }
};
